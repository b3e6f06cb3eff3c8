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
    if (auto* formHost = dynamic_cast<FormHost*>(host())) {
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

void Form::VisibilityChanged() {
    if (visible() && !shownOnce_) {
        shownOnce_ = true;
    }
    if (visible() && onShow) {
        onShow();
    }
}

}  // namespace ui
