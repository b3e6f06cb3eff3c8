// The tree's places and windows, for the objects of accessible_node.cpp.
#include "ui/win32/accessible_node.h"
// windows.h (through the header above) before the toolkit's headers.
#include "ui/form.h"
#include "ui/win32/edit_window.h"
#include "ui/win32/window_impl.h"

namespace ui::win32 {

LONG SystemRole(Form& form, const Control& control) {
    if (&control == &form) {
        return ROLE_SYSTEM_CLIENT;
    }
    switch (control.accessibleRole()) {
        case AccessibleRole::Grouping:
            return ROLE_SYSTEM_GROUPING;
        case AccessibleRole::StaticText:
            return ROLE_SYSTEM_STATICTEXT;
        case AccessibleRole::PushButton:
            return ROLE_SYSTEM_PUSHBUTTON;
        case AccessibleRole::Graphic:
            return ROLE_SYSTEM_GRAPHIC;
        case AccessibleRole::ProgressBar:
            return ROLE_SYSTEM_PROGRESSBAR;
        case AccessibleRole::Text:
            return ROLE_SYSTEM_TEXT;
        case AccessibleRole::None:
        case AccessibleRole::Client:
            break;
    }
    return ROLE_SYSTEM_CLIENT;
}

bool IsBelow(const Control& control, const Control& ancestor) {
    for (const Control* c = control.parent(); c != nullptr; c = c->parent()) {
        if (c == &ancestor) {
            return true;
        }
    }
    return false;
}

bool HoldsSystemFocus(HWND window) {
    const HWND focus = ::GetFocus();
    return focus != nullptr && (focus == window || ::IsChild(window, focus));
}

// Every control of the tree but the form sits in the window of its parent,
// a windowed one as a child window there.
bool ScreenRect(HWND formWindow, Form& form, Control& control, RECT& rect) {
    if (&control == &form) {
        POINT origin{0, 0};
        if (!::GetClientRect(formWindow, &rect) || !::ClientToScreen(formWindow, &origin)) {
            return false;
        }
        ::OffsetRect(&rect, origin.x, origin.y);
        return true;
    }
    const HWND window = WindowOf(*control.parent());
    const Point at = ChildWindowOrigin(control);
    POINT origin{at.x, at.y};
    if (window == nullptr || !::ClientToScreen(window, &origin)) {
        return false;
    }
    rect = {origin.x, origin.y, origin.x + control.width(), origin.y + control.height()};
    return true;
}

Control* DeepestAt(HWND formWindow, Form& form, Control& node, POINT point) {
    RECT rect;
    if (!ScreenRect(formWindow, form, node, rect) || !::PtInRect(&rect, point)) {
        return nullptr;
    }
    Control* deepest = &node;
    for (bool deeper = true; deeper;) {
        deeper = false;
        for (Control* child : AccessibleChildren(*deepest)) {
            if (child->Showing() && ScreenRect(formWindow, form, *child, rect) &&
                ::PtInRect(&rect, point)) {
                deepest = child;
                deeper = true;
                break;
            }
        }
    }
    return deepest;
}

// The child window of the box's parent's window that belongs to the box.
HWND EditWindowOf(Control& edit) {
    const HWND parent = WindowOf(*edit.parent());
    if (parent == nullptr) {
        return nullptr;
    }
    for (HWND child = ::GetWindow(parent, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (EditControlOf(child) == &edit) {
            return child;
        }
    }
    return nullptr;
}

}  // namespace ui::win32
