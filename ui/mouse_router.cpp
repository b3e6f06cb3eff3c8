#include "ui/mouse_router.h"

namespace ui {

Point MouseRouter::ToControl(Control& control, Point at) const {
    Point offset;
    for (Control* c = &control; c != &window_ && c != nullptr; c = c->parent()) {
        offset.x += c->left();
        offset.y += c->top();
    }
    return {at.x - offset.x, at.y - offset.y};
}

void MouseRouter::SetHot(Control* control) {
    if (control == hot_) {
        return;
    }
    Control* old = hot_;
    hot_ = control;
    if (old != nullptr) {
        old->MouseLeave();
    }
    if (hot_ != nullptr) {
        hot_->MouseEnter();
    }
}

void MouseRouter::Move(Point at) {
    if (captured_ != nullptr) {
        captured_->MouseMove(ToControl(*captured_, at));
        return;
    }
    Control* hit = window_.HitTest(at);
    SetHot(hit == &window_ ? nullptr : hit);
    if (hot_ != nullptr) {
        hot_->MouseMove(ToControl(*hot_, at));
    }
}

void MouseRouter::Down(MouseButton button, Point at) {
    Control* target = captured_;
    if (target == nullptr) {
        Control* hit = window_.HitTest(at);
        if (hit == &window_) {
            return;
        }
        SetHot(hit);
        target = hit;
        captured_ = target;
        target->SetMouseCapture(true);
    }
    target->MouseDown(button, ToControl(*target, at));
}

void MouseRouter::Up(MouseButton button, Point at) {
    Control* target = captured_;
    if (target == nullptr) {
        return;
    }
    captured_ = nullptr;
    target->SetMouseCapture(false);
    target->MouseUp(button, ToControl(*target, at));
    // Once released, the pointer's control is the hot one again.
    Control* hit = window_.HitTest(at);
    SetHot(hit == &window_ ? nullptr : hit);
}

void MouseRouter::Leave() {
    if (captured_ == nullptr) {
        SetHot(nullptr);
    }
}

void MouseRouter::CaptureLost() {
    Control* target = captured_;
    if (target == nullptr) {
        return;
    }
    captured_ = nullptr;
    target->MouseUp(MouseButton::Left, {-1, -1});
    SetHot(nullptr);
}

void MouseRouter::Forget(Control& control) {
    if (hot_ == &control) {
        hot_ = nullptr;
    }
    if (captured_ == &control) {
        captured_ = nullptr;
    }
}

}  // namespace ui
