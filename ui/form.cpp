#include "ui/form.h"

#include "ui/backend.h"

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
    if (host() == nullptr) {
        SetHost(backend::CreateFormHost(*this));
    }
    Container::CreateHandles();
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

Control* FirstFocusable(Control& control) {
    if (!control.visible()) {
        return nullptr;
    }
    if (control.TakesFocus()) {
        return &control;
    }
    if (auto* container = control.AsContainer()) {
        for (const auto& child : container->children()) {
            if (Control* found = FirstFocusable(*child)) {
                return found;
            }
        }
    }
    return nullptr;
}

}  // namespace

bool Form::Activated() {
    if (activeControl_ == nullptr || !activeControl_->TakesFocus()) {
        activeControl_ = nullptr;
        for (const auto& child : children()) {
            if ((activeControl_ = FirstFocusable(*child)) != nullptr) {
                break;
            }
        }
    }
    if (activeControl_ == nullptr) {
        return false;
    }
    activeControl_->TakeFocus();
    return true;
}

void Form::RefreshFocus() {
    if (activeControl_ != nullptr && activeControl_->TakesFocus()) {
        return;
    }
    activeControl_ = nullptr;
    if (HasWindowHandle() && visible()) {
        Activated();
    }
}

Form* FormOf(Control& control) {
    Control* top = &control;
    while (top->parent() != nullptr) {
        top = top->parent();
    }
    return top->AsForm();
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
