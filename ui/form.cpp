#include "ui/form.h"

#include <algorithm>

#include "ui/backend.h"
#include "ui/dpi.h"
#include "ui/push_button.h"

namespace ui {

Form::Form(std::string name) : Container(std::move(name)) {
    SetVisible(false);  // forms are created hidden
}

Form::~Form() = default;

void Form::SetCaption(const std::string& caption) {
    if (caption == caption_) {
        return;
    }
    caption_ = caption;
    if (auto* formHost = host() != nullptr ? host()->AsFormHost() : nullptr) {
        formHost->SyncCaption();
    }
}

void Form::CreateWindowHandle() {
    CreateHandles();
}

void Form::CreateOwnHandle() {
    if (host() == nullptr) {
        SetHost(backend::CreateFormHost(*this));
        // Laid out at the monitor's dpi before the windows inside are made.
        SetDpi(host()->AsFormHost()->Dpi());
    }
}

void Form::ShowBeforeHiddenHandles() {
    CreateOwnHandle();
    for (const auto& child : children()) {
        child->CreateShownHandles();
    }
    SetVisible(true);
    host()->Update();
    CreateHandles();
}

void Form::Close() {
    if (onCloseQuery && !onCloseQuery()) {
        return;
    }
    Hide();
    if (onClosed) {
        onClosed();
    }
}

namespace {

void CollectFocusable(Control& control, std::vector<Control*>& order) {
    if (!control.visible()) {
        return;
    }
    if (control.TakesFocus()) {
        order.push_back(&control);
    }
    if (auto* container = control.AsContainer()) {
        for (Control* child : ChildrenInReadingOrder(*container)) {
            CollectFocusable(*child, order);
        }
    }
}

PushButton* AsButton(Control* control) {
    return control != nullptr && control->Is<PushButton>() ? static_cast<PushButton*>(control)
                                                           : nullptr;
}

// Every button of the tree repaints: the cues changed.
void InvalidateButtons(Control& control) {
    if (control.Is<PushButton>()) {
        control.Invalidate();
    }
    if (auto* container = control.AsContainer()) {
        for (const auto& child : container->children()) {
            InvalidateButtons(*child);
        }
    }
}

}  // namespace

std::vector<Control*> Form::TabOrder() {
    std::vector<Control*> order;
    for (Control* child : ChildrenInReadingOrder(*this)) {
        CollectFocusable(*child, order);
    }
    return order;
}

Control* Form::DefaultButton() {
    for (Control* control : TabOrder()) {
        if (PushButton* button = AsButton(control); button != nullptr && button->isDefault()) {
            return button;
        }
    }
    return nullptr;
}

Control* Form::CancelButton() {
    for (Control* control : TabOrder()) {
        if (PushButton* button = AsButton(control); button != nullptr && button->isCancel()) {
            return button;
        }
    }
    return nullptr;
}

bool Form::Activated() {
    if (activeControl_ == nullptr || !activeControl_->TakesFocus()) {
        const std::vector<Control*> order = TabOrder();
        SetActiveControl(order.empty() ? nullptr : order.front());
    } else {
        SetActiveControl(activeControl_);
    }
    return activeControl_ != nullptr;
}

void Form::RefreshFocus() {
    if (activeControl_ != nullptr && activeControl_->TakesFocus()) {
        return;
    }
    if (activeControl_ != nullptr) {
        activeControl_->Invalidate();
        activeControl_ = nullptr;
    }
    if (HasWindowHandle() && visible()) {
        Activated();
    }
}

void Form::SetActiveControl(Control* control) {
    const bool moved = control != activeControl_;
    if (moved && activeControl_ != nullptr) {
        activeControl_->Invalidate();
    }
    activeControl_ = control;
    if (control == nullptr) {
        return;
    }
    if (control->IsWindowed()) {
        control->TakeFocus();
    } else if (auto* formHost = host() != nullptr ? host()->AsFormHost() : nullptr) {
        formHost->FocusWindow();
    }
    if (moved) {
        control->Invalidate();
        NotifyAccessible(*control, AccessibleEvent::Focus);
    }
}

void Form::ControlFocused(Control& control) {
    if (&control == activeControl_) {
        return;
    }
    if (activeControl_ != nullptr) {
        activeControl_->Invalidate();
    }
    activeControl_ = &control;
    NotifyAccessible(control, AccessibleEvent::Focus);
}

void Form::SetKeyboardCues(const KeyboardCues& cues) {
    if (cues == cues_) {
        return;
    }
    cues_ = cues;
    InvalidateButtons(*this);
}

bool Form::HandleKey(const KeyPress& key) {
    const auto showCues = [this] {
        auto* formHost = host() != nullptr ? host()->AsFormHost() : nullptr;
        if (cues_ != KeyboardCues{true, true} &&
            (formHost == nullptr || !formHost->RequestKeyboardCues())) {
            SetKeyboardCues({true, true});
        }
    };
    Control* focused =
        activeControl_ != nullptr && activeControl_->TakesFocus() ? activeControl_ : nullptr;
    PushButton* focusedButton = AsButton(focused);
    switch (key.key) {
        case Key::Alt:
            showCues();
            return false;  // the system's own Alt handling goes on
        case Key::Tab: {
            showCues();
            const std::vector<Control*> order = TabOrder();
            if (order.empty()) {
                return true;
            }
            const auto at = std::find(order.begin(), order.end(), focused);
            std::size_t next = 0;
            if (at == order.end()) {
                next = key.shift ? order.size() - 1 : 0;
            } else {
                const std::size_t index = static_cast<std::size_t>(at - order.begin());
                next = key.shift ? (index + order.size() - 1) % order.size()
                                 : (index + 1) % order.size();
            }
            SetActiveControl(order[next]);
            return true;
        }
        case Key::Return:
            if (PushButton* target = focusedButton ? focusedButton : AsButton(DefaultButton())) {
                target->Press();
            }
            return true;
        case Key::Space:
            if (focusedButton == nullptr) {
                return false;  // typed into the edit box
            }
            focusedButton->Press();
            return true;
        case Key::Escape:
            if (PushButton* cancel = AsButton(CancelButton())) {
                cancel->Press();
            } else {
                Close();
            }
            return true;
        case Key::Letter:
            if (!key.alt && focused != nullptr && focusedButton == nullptr) {
                return false;  // typed into the edit box
            }
            for (Control* control : TabOrder()) {
                if (PushButton* button = AsButton(control);
                    button != nullptr && button->accessKey() == key.letter) {
                    button->Press();
                    return true;
                }
            }
            return false;
    }
    return false;
}

void Form::SetDpi(int dpi) {
    if (dpi == dpi_ || dpi <= 0) {
        return;
    }
    dpi_ = dpi;
    ApplyDpi(dpi);
    if (onDpiChanged) {
        onDpiChanged();
    }
}

Form* FormOf(Control& control) {
    Control* top = &control;
    while (top->parent() != nullptr) {
        top = top->parent();
    }
    return top->AsForm();
}

int DpiOf(Control& control) {
    const Form* form = FormOf(control);
    return form != nullptr ? form->dpi() : kDesignDpi;
}

void Form::VisibilityChanged() {
    if (visible() && !shownOnce_) {
        shownOnce_ = true;
    }
    if (visible() && onShow) {
        onShow();
    }
}

}  // namespace ui
