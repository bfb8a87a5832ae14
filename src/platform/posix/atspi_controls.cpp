#include "platform/posix/atspi_controls.h"

#include <chrono>
#include <memory>

#include "platform/posix/trial_process.h"
#include "platform/posix/within_limit.h"

namespace ml {

namespace {

// Every call on the bus waits this long at most: a program that hangs gives no answer
// rather than holding the script.
constexpr int kCallMilliseconds = 2000;
// The bus starts its registry at the first question, which may take longer.
constexpr int kStartMilliseconds = 5000;
constexpr std::chrono::milliseconds kFirstContactLimit{8000};
// X window ids stay below 2^29, so handles from here on are never windows.
constexpr WindowHandle kFirstObjectHandle = 0x40000000;
// Bounds on what a run keeps and a search walks: no dialog a script picks from by name
// comes near them, and a program publishing endless objects cannot hold the script.
constexpr std::size_t kMostObjects = 1 << 16;
constexpr std::size_t kMostControls = 4096;
constexpr int kDeepest = 64;

// The error a call may leave, freed with it: a failed call is an answer not had.
class CallError {
public:
    explicit CallError(const AtspiLibrary& atspi) : atspi_(atspi) {}
    ~CallError() { clear(); }
    CallError(const CallError&) = delete;
    CallError& operator=(const CallError&) = delete;
    GError** out() {
        clear();
        return &error_;
    }
    bool failed() const { return error_ != nullptr; }

private:
    void clear() {
        if (error_ != nullptr) atspi_.g_error_free(error_);
        error_ = nullptr;
    }
    const AtspiLibrary& atspi_;
    GError* error_ = nullptr;
};

// A reference the library handed over, given back when dropped.
struct Unreference {
    const AtspiLibrary* atspi;
    void operator()(void* object) const {
        if (object != nullptr) atspi->g_object_unref(object);
    }
};
template <class T>
using Held = std::unique_ptr<T, Unreference>;

template <class T>
Held<T> Hold(const AtspiLibrary& atspi, T* object) {
    return Held<T>(object, Unreference{&atspi});
}

std::string TakeText(const AtspiLibrary& atspi, gchar* text) {
    if (text == nullptr) return {};
    std::string bytes(text);
    atspi.g_free(text);
    return bytes;
}

std::string NameOf(const AtspiLibrary& atspi, AtspiAccessible* object) {
    CallError error(atspi);
    return TakeText(atspi, atspi.atspi_accessible_get_name(object, error.out()));
}

int ChildCount(const AtspiLibrary& atspi, AtspiAccessible* object) {
    CallError error(atspi);
    const int count = atspi.atspi_accessible_get_child_count(object, error.out());
    return error.failed() ? 0 : count;
}

AtspiAccessible* ChildAt(const AtspiLibrary& atspi, AtspiAccessible* object, int index) {
    CallError error(atspi);
    return atspi.atspi_accessible_get_child_at_index(object, index, error.out());
}

// The desktop object, once the registry answers a question about it; null when no bus
// or registry answers.
AtspiAccessible* FirstContact(const AtspiLibrary& atspi) {
    atspi.atspi_init();
    atspi.atspi_set_timeout(kCallMilliseconds, kStartMilliseconds);
    AtspiAccessible* desktop = atspi.atspi_get_desktop(0);
    if (desktop == nullptr) return nullptr;
    CallError error(atspi);
    if (atspi.atspi_accessible_get_child_count(desktop, error.out()) >= 0 && !error.failed()) return desktop;
    atspi.g_object_unref(desktop);
    return nullptr;
}

// The library ends the process where it finds no bus, so a trial process asks first.
bool BusAnswers() {
    const AtspiLibrary* atspi = OpenAtspi();
    AtspiAccessible* desktop = atspi == nullptr ? nullptr : FirstContact(*atspi);
    return desktop != nullptr;
}

}  // namespace

AccessibleControls::~AccessibleControls() {
    if (bus_ != Bus::Reached) return;
    for (AtspiAccessible* object : objects_) atspi_->g_object_unref(object);
    atspi_->g_object_unref(desktop_);
}

bool AccessibleControls::IsAccessibleHandle(WindowHandle handle) { return handle >= kFirstObjectHandle; }

// A bus that never answered may still answer the abandoned first question, so it is
// never asked again. One that answered the trial may still go away before this
// process asks, which is then bounded as well.
const AtspiLibrary* AccessibleControls::reach() {
    if (bus_ == Bus::Untried) {
        const AtspiLibrary* atspi = OpenAtspi();
        std::optional<AtspiAccessible*> desktop;
        if (atspi != nullptr && SucceedsInTrial(BusAnswers, kFirstContactLimit))
            desktop = WithinLimit<AtspiAccessible*>(kFirstContactLimit, [atspi] { return FirstContact(*atspi); });
        bus_ = desktop && *desktop != nullptr ? Bus::Reached : Bus::Unreachable;
        if (bus_ == Bus::Reached) {
            atspi_ = atspi;
            desktop_ = *desktop;
        }
    }
    return bus_ == Bus::Reached ? atspi_ : nullptr;
}

AtspiAccessible* AccessibleControls::object(WindowHandle handle) const {
    if (!IsAccessibleHandle(handle) || bus_ != Bus::Reached) return nullptr;
    const auto index = static_cast<std::size_t>(handle - kFirstObjectHandle);
    return index < objects_.size() ? objects_[index] : nullptr;
}

// The library gives one object for one published object, so a second finding of it
// keeps its first handle.
WindowHandle AccessibleControls::keep(AtspiAccessible* found) {
    const auto known = handles_.find(found);
    if (known != handles_.end() || objects_.size() == kMostObjects) {
        atspi_->g_object_unref(found);
        return known != handles_.end() ? known->second : 0;
    }
    const auto handle = static_cast<WindowHandle>(kFirstObjectHandle + static_cast<WindowHandle>(objects_.size()));
    objects_.push_back(found);
    handles_.emplace(found, handle);
    return handle;
}

// The program's window of that title; where none has it and the program is known to
// be the window's own, its only window, which a program may name otherwise than its
// title bar. Null when that picks none or several.
AtspiAccessible* AccessibleControls::programWindow(AtspiAccessible* program, const std::string& title,
                                                   bool programOfWindow) {
    std::vector<Held<AtspiAccessible>> windows, titled;
    const int count = ChildCount(*atspi_, program);
    for (int i = 0; i < count; ++i) {
        Held<AtspiAccessible> window = Hold(*atspi_, ChildAt(*atspi_, program, i));
        if (window == nullptr) continue;
        (NameOf(*atspi_, window.get()) == title ? titled : windows).push_back(std::move(window));
    }
    if (titled.size() == 1) return titled.front().release();
    return programOfWindow && titled.empty() && windows.size() == 1 ? windows.front().release() : nullptr;
}

std::optional<std::vector<Control>> AccessibleControls::windowControls(unsigned long process, const std::string& title) {
    if (reach() == nullptr) return std::nullopt;
    std::vector<Held<AtspiAccessible>> found;
    const int programs = ChildCount(*atspi_, desktop_);
    for (int i = 0; i < programs; ++i) {
        Held<AtspiAccessible> program = Hold(*atspi_, ChildAt(*atspi_, desktop_, i));
        if (program == nullptr) continue;
        CallError error(*atspi_);
        const guint id = atspi_->atspi_accessible_get_process_id(program.get(), error.out());
        if (error.failed() || (process != 0 && id != process)) continue;
        Held<AtspiAccessible> window = Hold(*atspi_, programWindow(program.get(), title, process != 0));
        if (window != nullptr) found.push_back(std::move(window));
    }
    // Two programs' windows of one title, where the window names no process, are no
    // window to pick from: a wrong match is worse than none.
    if (found.size() != 1) return std::vector<Control>{};
    return objectControls(keep(found.front().release()));
}

std::optional<std::vector<Control>> AccessibleControls::objectControls(WindowHandle handle) {
    if (reach() == nullptr) return std::nullopt;
    std::vector<Control> controls;
    if (AtspiAccessible* parent = object(handle)) addControls(parent, 0, controls);
    return controls;
}

// A control's own controls come before its next sibling.
void AccessibleControls::addControls(AtspiAccessible* parent, int depth, std::vector<Control>& controls) {
    const int count = depth < kDeepest ? ChildCount(*atspi_, parent) : 0;
    for (int i = 0; i < count && controls.size() < kMostControls; ++i) {
        AtspiAccessible* child = ChildAt(*atspi_, parent, i);
        if (child == nullptr) continue;
        CallError error(*atspi_);
        Control control{0, TakeText(*atspi_, atspi_->atspi_accessible_get_role_name(child, error.out())),
                        NameOf(*atspi_, child), false};
        control.handle = keep(child);
        if (control.handle == 0) return;
        controls.push_back(std::move(control));
        addControls(object(controls.back().handle), depth + 1, controls);
    }
}

std::string AccessibleControls::text(WindowHandle handle) {
    AtspiAccessible* found = object(handle);
    if (found == nullptr) return {};
    Held<AtspiText> text = Hold(*atspi_, atspi_->atspi_accessible_get_text_iface(found));
    CallError error(*atspi_);
    std::string held = text == nullptr ? std::string() : TakeText(*atspi_, atspi_->atspi_text_get_text(text.get(), 0, -1, error.out()));
    return held.empty() ? NameOf(*atspi_, found) : held;
}

void AccessibleControls::setText(WindowHandle handle, const std::string& text) {
    AtspiAccessible* found = object(handle);
    if (found == nullptr) return;
    Held<AtspiEditableText> field = Hold(*atspi_, atspi_->atspi_accessible_get_editable_text_iface(found));
    CallError error(*atspi_);
    if (field != nullptr) atspi_->atspi_editable_text_set_text_contents(field.get(), text.c_str(), error.out());
}

void AccessibleControls::push(WindowHandle handle) {
    AtspiAccessible* found = object(handle);
    if (found == nullptr) return;
    Held<AtspiAction> action = Hold(*atspi_, atspi_->atspi_accessible_get_action_iface(found));
    CallError error(*atspi_);
    if (action != nullptr) atspi_->atspi_action_do_action(action.get(), 0, error.out());
}

// A program keeps a destroyed control's object for a while, marked defunct; that is
// a control no more.
bool AccessibleControls::extents(WindowHandle handle, WindowRect& rect) {
    AtspiAccessible* found = object(handle);
    if (found == nullptr) return false;
    Held<AtspiStateSet> states = Hold(*atspi_, atspi_->atspi_accessible_get_state_set(found));
    if (states == nullptr || atspi_->atspi_state_set_contains(states.get(), ATSPI_STATE_DEFUNCT)) return false;
    Held<AtspiComponent> component = Hold(*atspi_, atspi_->atspi_accessible_get_component_iface(found));
    if (component == nullptr) return false;
    CallError error(*atspi_);
    AtspiRect* extents = atspi_->atspi_component_get_extents(component.get(), ATSPI_COORD_TYPE_SCREEN, error.out());
    if (extents == nullptr) return false;
    rect = {extents->x, extents->y, extents->width, extents->height};
    atspi_->g_free(extents);
    return !error.failed();
}

}  // namespace ml
