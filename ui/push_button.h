#pragma once

#include <string>

#include "ui/control.h"

namespace ui {

// A push button as the keyboard and screen readers know it: a caption, an
// access key, and whether Return (default) or Escape (cancel) presses it when
// the focus is on no other button. It takes the focus while it shows and is
// enabled; how it looks is the drawing subclass's business.
class PushButton : public Control {
  protected:
    bool IsKind(const void* tag) const override {
        return tag == KindTag<PushButton>() || Control::IsKind(tag);
    }

  public:
    using Control::Control;

    const std::string& caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    // 'A' to 'Z', or 0 for none; underlined at its first place in the caption.
    char accessKey() const { return accessKey_; }
    void SetAccessKey(char key);
    // Where the access key stands in the caption (a byte index), or -1.
    int AccessKeyIndex() const;
    bool isDefault() const { return default_; }
    void SetDefault(bool value);
    bool isCancel() const { return cancel_; }
    void SetCancel(bool value) { cancel_ = value; }

    // Presses the button as a click does: onClick, while it shows and is
    // enabled.
    void Press();

    bool TakesFocus() const override { return Showing() && enabled(); }
    std::string ShownText() const override { return caption_; }
    AccessibleRole accessibleRole() const override { return AccessibleRole::PushButton; }
    std::string DefaultActionName() const override { return "Press"; }
    bool DoDefaultAction() override;

  private:
    std::string caption_;
    char accessKey_ = 0;
    bool default_ = false;
    bool cancel_ = false;
};

}  // namespace ui
