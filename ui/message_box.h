#pragma once

#include <string>
#include <vector>

namespace ui {

enum class BoxIcon { None, Warning, Question, Error, Information };

// Standard buttons, shown in this order; their results are fixed.
enum StandardButton : unsigned {
    kButtonOk = 0x01,      // result 1
    kButtonYes = 0x02,     // result 6
    kButtonNo = 0x04,      // result 7
    kButtonCancel = 0x08,  // result 2
    kButtonRetry = 0x10,   // result 4
    kButtonClose = 0x20,   // result 8
};

inline constexpr int kResultOk = 1;
inline constexpr int kResultCancel = 2;
inline constexpr int kResultRetry = 4;
inline constexpr int kResultYes = 6;
inline constexpr int kResultNo = 7;
inline constexpr int kResultClose = 8;
inline constexpr int kFirstCustomId = 100;

struct CustomButton {
    int id = kFirstCustomId;
    std::string caption;  // '&' marks the access letter

    bool operator==(const CustomButton&) const = default;
};

// One task-dialog style message box: a caption, one main text shown as the
// heading, an icon, buttons, a default and whether Esc and the close box may
// cancel it.
struct MessageBoxSpec {
    std::string caption;  // empty: the executable's file name is shown
    std::string text;
    BoxIcon icon = BoxIcon::None;
    unsigned standardButtons = 0;  // StandardButton bits
    std::vector<CustomButton> customButtons;
    int defaultButton = 0;  // a result id; 0 lets the box choose
    bool allowCancel = false;
    // What Esc gives in the toolkit's own window when the box has no Cancel
    // button (the system's task dialog always gives Cancel's 2).
    int ownWindowEscapeResult = kResultCancel;

    bool operator==(const MessageBoxSpec&) const = default;
};

// The button Enter presses: the named default when the box shows it, else
// the first button shown (standard buttons before custom ones), else OK.
int EffectiveDefaultButton(const MessageBoxSpec& spec);

// Shows the box modally and returns the id of what closed it: a standard
// result, a custom id, or 2 for Esc or the close box where cancel is allowed.
// The system's task dialog is used where it exists, the toolkit's own window
// elsewhere.
int ShowMessageBox(const MessageBoxSpec& spec);

// The text the toolkit's own window puts on the clipboard for Ctrl+C: the
// caption, CR LF, the main text and CR LF.
std::string ClipboardTextOf(const std::string& shownCaption, const std::string& text);

}  // namespace ui
