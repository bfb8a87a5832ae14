// Controls on a Linux desktop: the objects that programs publish on the accessibility
// bus (GTK and Qt programs do when the bus runs). Each object found gets a handle of
// its own, which stays valid for the rest of the run while the object exists.
#pragma once

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/platform.h"
#include "platform/posix/atspi_library.h"

namespace ml {

class AccessibleControls {
public:
    AccessibleControls() = default;
    AccessibleControls(const AccessibleControls&) = delete;
    AccessibleControls& operator=(const AccessibleControls&) = delete;
    ~AccessibleControls();

    // Whether the handle is of the kind this gives, which no X window id ever is.
    static bool IsAccessibleHandle(WindowHandle handle);

    // The controls of a program's window, found by its process and title; nothing when
    // no accessibility bus answers, an empty list when the program publishes no such
    // window.
    std::optional<std::vector<Control>> windowControls(unsigned long process, const std::string& title);
    // The controls inside an object this gave.
    std::optional<std::vector<Control>> objectControls(WindowHandle handle);
    // The object's text where it holds one (a field, a label), else its name.
    std::string text(WindowHandle handle);
    void setText(WindowHandle handle, const std::string& text);
    // The object's first action: a button's press.
    void push(WindowHandle handle);
    // Where the object lies on the screen; false for an object that has gone.
    bool extents(WindowHandle handle, WindowRect& rect);

private:
    enum class Bus { Untried, Reached, Unreachable };

    // The library, once the bus has answered; null when it never will.
    const AtspiLibrary* reach();
    AtspiAccessible* object(WindowHandle handle) const;
    // The handle of an object whose reference the caller passes on; 0 when the table is full.
    WindowHandle keep(AtspiAccessible* object);
    AtspiAccessible* programWindow(AtspiAccessible* program, const std::string& title, bool programOfWindow);
    void addControls(AtspiAccessible* parent, int depth, std::vector<Control>& controls);

    Bus bus_ = Bus::Untried;
    const AtspiLibrary* atspi_ = nullptr;
    AtspiAccessible* desktop_ = nullptr;
    // The objects handed out, by handle; each holds a reference.
    std::vector<AtspiAccessible*> objects_;
    std::unordered_map<AtspiAccessible*, WindowHandle> handles_;
};

}  // namespace ml
