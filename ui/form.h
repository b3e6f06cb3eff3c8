#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/control.h"
#include "ui/keyboard.h"

namespace ui {

enum class BorderStyle {
    Single,    // fixed size
    Sizeable,  // the default resizable frame
};

struct BorderIcons {
    bool systemMenu = true;
    bool minimize = true;
    bool maximize = true;
};

enum class FormPosition {
    Designed,
    ScreenCenter,
};

// A top-level window. Its bounds are its client area; where it stands on the
// screen is the host's business (centred when first shown, if asked).
class Form : public Container {
  public:
    Form* AsForm() override { return this; }
    explicit Form(std::string name);
    ~Form() override;

    const std::string& caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    void SetClientSize(int width, int height) { SetSize(width, height); }
    BorderStyle borderStyle() const { return borderStyle_; }
    void SetBorderStyle(BorderStyle style) { borderStyle_ = style; }
    const BorderIcons& borderIcons() const { return borderIcons_; }
    void SetBorderIcons(const BorderIcons& icons) { borderIcons_ = icons; }
    FormPosition position() const { return position_; }
    void SetPosition(FormPosition position) { position_ = position; }
    // The form that owns the taskbar button shows it with its own caption.
    bool ownsTaskbarButton() const { return ownsTaskbarButton_; }
    void SetOwnsTaskbarButton(bool owns) { ownsTaskbarButton_ = owns; }

    bool IsWindowed() const override { return true; }

    // Makes the OS window (hidden) and those of windowed children; idempotent.
    void CreateWindowHandle();
    bool HasWindowHandle() const { return host() != nullptr; }

    // Showing makes the window first when it has none yet.
    void Show() override {
        CreateWindowHandle();
        SetVisible(true);
    }
    // The first showing of a program's main form, as early as can be: the
    // window with those of the controls that show now, shown and painted at
    // once, and only then the windows of the hidden controls (the system's
    // edit box on a later page is slow to make the first time). All exist
    // before any message is handled; onShow runs before the hidden ones.
    void ShowBeforeHiddenHandles();
    // An attempt to close: asks onCloseQuery; on consent hides the form and
    // raises onClosed.
    void Close();

    // The keyboard focus among the form's controls: the control that has it
    // (nothing while the form keeps it itself). When the form is activated,
    // or the control that had it stops showing (its page was switched), it
    // goes to the first control of the tab order.
    Control* activeControl() const { return activeControl_; }
    // Backends call this when the window becomes the active one; false when
    // no control took the focus, so the window keeps it.
    bool Activated();
    // Gives the focus anew if the control that has it no longer shows.
    void RefreshFocus();
    // Moves the focus to a control of the form that takes it.
    void SetActiveControl(Control* control);
    // Backends call this when the window system gave a windowed control of
    // the form the focus (the user clicked into an edit box).
    void ControlFocused(Control& control);

    // The controls that take the focus now, in reading order (by top, then
    // left, container by container): what Tab and Shift+Tab go through.
    std::vector<Control*> TabOrder();
    // The showing, enabled button that Return presses when the focus is on
    // no button, and the one Escape presses; nothing when there is none.
    Control* DefaultButton();
    Control* CancelButton();

    // The dialog keys: Tab and Shift+Tab, Return, Escape, Space, access keys
    // with Alt (and alone where no edit box has the focus), and Alt, which
    // like Tab shows the keyboard cues. True when the key was used; the rest
    // belong to the control with the focus.
    // Without a button marked cancel, Escape closes the form.
    bool HandleKey(const KeyPress& key);
    KeyboardCues keyboardCues() const { return cues_; }
    void SetKeyboardCues(const KeyboardCues& cues);

    std::string ShownText() const override { return caption_; }

    // The pixels per inch the form is laid out at: 96, as designed, until
    // SetDpi lays every designed position, size and font out at another
    // (ui/dpi.h) and runs onDpiChanged, where code places again what it
    // placed itself (centred labels, pictures drawn at the control's size).
    int dpi() const { return dpi_; }
    void SetDpi(int dpi);

    std::function<bool()> onCloseQuery;
    std::function<void()> onDpiChanged;
    std::function<void()> onShow;
    std::function<void()> onClosed;

  protected:
    void VisibilityChanged() override;
    void CreateOwnHandle() override;

  private:
    std::string caption_;
    BorderStyle borderStyle_ = BorderStyle::Sizeable;
    BorderIcons borderIcons_;
    FormPosition position_ = FormPosition::Designed;
    bool ownsTaskbarButton_ = false;
    bool shownOnce_ = false;
    Control* activeControl_ = nullptr;
    KeyboardCues cues_;
    int dpi_ = 96;
};

// The form a control sits on, or nothing while it is on none.
Form* FormOf(Control& control);
// The dpi of the control's form; 96 while it is on none.
int DpiOf(Control& control);

}  // namespace ui
