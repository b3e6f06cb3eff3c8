#pragma once

#include "ui/control.h"

namespace ui {

// Routes one window's mouse input to its windowless controls: enter and leave
// as the pointer moves between them, and all input to the control that took
// the button press until it is released (the capture). No enter or leave
// reaches other controls while one holds the capture.
class MouseRouter {
  public:
    explicit MouseRouter(Container& window) : window_(window) {}

    // Coordinates are the window's client coordinates.
    void Move(Point at);
    void Down(MouseButton button, Point at);
    void Up(MouseButton button, Point at);
    // The pointer left the window.
    void Leave();
    // The window lost the mouse capture to someone else while a control held
    // it: the press ends as a release outside every control (no click), and
    // no control stays hot, since where the pointer is is not known.
    void CaptureLost();
    // A control is going away: forget it.
    void Forget(Control& control);

    Control* hot() const { return hot_; }
    Control* captured() const { return captured_; }

  private:
    Point ToControl(Control& control, Point at) const;
    void SetHot(Control* control);

    Container& window_;
    Control* hot_ = nullptr;
    Control* captured_ = nullptr;
};

}  // namespace ui
