#include "automation/desk_look.h"

#include <optional>

#include "automation/desk_messages.h"
#include "automation/desk_state.h"
#include "automation/desktop_access.h"
#include "automation/image_search.h"
#include "automation/polling.h"
#include "automation/screen_image.h"

namespace ml {

bool LookForPicture(Interp& in, WindowHandle window, const std::string& file, int tolerance, int milliseconds) {
    ScreenPoint& found = DeskStateOf(in).found;
    found = kNothingFound;
    TemplateImage picture;
    if (!ReadTemplate(in, file, kMsgLookNoPictureFile, Transparency::Skipped, Reach::Desktop, picture)) return false;
    std::optional<ScreenPoint> corner;
    const auto look = [&] {
        corner = LocateImage(TakeInsideImage(in, window), picture, kEveryPlacement, tolerance);
        return corner.has_value();
    };
    if (!PollUntil(in, milliseconds, look)) return false;
    // The desktop's image starts at its corner, which lies left of or above the
    // primary monitor's where another monitor does.
    const WindowRect whole = window == 0 ? UsableDesktop(in).desktopRect() : WindowRect{};
    found = {whole.x + corner->x + picture.width / 2, whole.y + corner->y + picture.height / 2};
    return true;
}

}  // namespace ml
