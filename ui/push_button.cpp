#include "ui/push_button.h"

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

// A byte index into the UTF-8 caption. The key is an ASCII letter, and the
// caption's letters are compared by ASCII rules alone, so no byte of a
// multi-byte character ever matches it, whatever the C library's locale.
int PushButton::AccessKeyIndex() const {
    for (std::size_t i = 0; accessKey_ != 0 && i < caption_.size(); ++i) {
        const char c = caption_[i];
        if ((c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c) == accessKey_) {
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
