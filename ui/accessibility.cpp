#include "ui/accessibility.h"

#include "ui/backend.h"
#include "ui/control.h"
#include "ui/form.h"
#include "ui/push_button.h"

namespace ui {

std::vector<Control*> AccessibleChildren(Control& node) {
    std::vector<Control*> found;
    auto* container = node.AsContainer();
    if (container == nullptr) {
        return found;
    }
    for (Control* child : ChildrenInReadingOrder(*container)) {
        if (child->accessibleRole() != AccessibleRole::None) {
            found.push_back(child);
        } else {
            for (Control* inner : AccessibleChildren(*child)) {
                found.push_back(inner);
            }
        }
    }
    return found;
}

namespace {

// Walks the tree below the node depth first, counting from `next`; stops
// when `visit` says so.
template <typename Visit>
bool Walk(Control& node, int& next, const Visit& visit) {
    for (Control* child : AccessibleChildren(node)) {
        if (visit(*child, next++) || Walk(*child, next, visit)) {
            return true;
        }
    }
    return false;
}

}  // namespace

int AccessibleId(Form& form, const Control& control) {
    if (&control == &form) {
        return 0;
    }
    int next = 1;
    int id = -1;
    Walk(form, next, [&](Control& c, int at) {
        if (&c == &control) {
            id = at;
            return true;
        }
        return false;
    });
    return id;
}

Control* AccessibleById(Form& form, int id) {
    if (id == 0) {
        return &form;
    }
    int next = 1;
    Control* found = nullptr;
    Walk(form, next, [&](Control& c, int at) {
        if (at == id) {
            found = &c;
            return true;
        }
        return false;
    });
    return found;
}

AccessibleStates StatesOf(Control& control) {
    AccessibleStates states;
    Form* form = FormOf(control);
    const bool button = control.Is<PushButton>();
    states.focusable = button || control.accessibleRole() == AccessibleRole::Text;
    states.focused = form != nullptr && form->activeControl() == &control;
    states.isDefault = button && static_cast<PushButton&>(control).isDefault();
    states.unavailable = !control.enabled();
    states.invisible = !control.Showing();
    return states;
}

void NotifyAccessible(Control& control, AccessibleEvent event) {
    Form* form = FormOf(control);
    if (form == nullptr || form->host() == nullptr) {
        return;
    }
    if (FormHost* host = form->host()->AsFormHost()) {
        host->NotifyAccessible(control, event);
    }
}

}  // namespace ui
