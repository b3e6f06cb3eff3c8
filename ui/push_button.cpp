#include "ui/push_button.h"

#include <cctype>

#include "ui/accessibility.h"

namespace ui {

void PushButton::SetCaption(const std::string& caption) {
    if (caption == caption_) {
        return;
    }
    caption_ = caption;
    Invalidate();
    NotifyAccessible(*this, AccessibleEvent::NameChange);
}

void PushButton::SetAccessKey(char key) {
    if (key != accessKey_) {
        accessKey_ = key;
        Invalidate();
    }
}

int PushButton::AccessKeyIndex() const {
    for (std::size_t i = 0; accessKey_ != 0 && i < caption_.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(caption_[i])) == accessKey_) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void PushButton::SetDefault(bool value) {
    if (value != default_) {
        default_ = value;
        Invalidate();
    }
}

void PushButton::Press() {
    if (Showing() && enabled() && onClick) {
        onClick();
    }
}

bool PushButton::DoDefaultAction() {
    if (!Showing() || !enabled()) {
        return false;
    }
    Press();
    return true;
}

}  // namespace ui
