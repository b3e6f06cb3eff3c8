#pragma once

// What the toolkit tells a screen reader: each control's role, name, value,
// states and default action, the tree of controls in reading order, and the
// events that say something changed. The win32 backend serves it through
// Active Accessibility; the headless one records the events for tests.

#include <string>
#include <vector>

namespace ui {

class Control;
class Form;

// None leaves a control out of the tree (a background), its children taking
// its place.
enum class AccessibleRole {
    None,
    Client,
    Grouping,
    StaticText,
    PushButton,
    Graphic,
    ProgressBar,
    Text
};

enum class AccessibleEvent { Focus, NameChange, ValueChange, Show, Hide };

struct AccessibleStates {
    bool focusable = false;
    bool focused = false;
    bool isDefault = false;
    bool unavailable = false;
    bool invisible = false;
};

// The controls a screen reader finds below a node, in reading order (by
// top, then left): those of role None are replaced by what they hold.
std::vector<Control*> AccessibleChildren(Control& node);

// Ids of a form's controls for the window system: 0 is the form itself,
// every other control of the tree (the form's descendants in reading order,
// depth first) counts from 1. -1 and nullptr where there is no such one.
int AccessibleId(Form& form, const Control& control);
Control* AccessibleById(Form& form, int id);

AccessibleStates StatesOf(Control& control);

// Tells the control's window that something about the control changed.
void NotifyAccessible(Control& control, AccessibleEvent event);

}  // namespace ui
