#pragma once

namespace ui {

// The keys a window handles itself, as the dialog manager would: the rest
// go to the control that has the focus.
enum class Key { Tab, Return, Escape, Space, Alt, Letter };

struct KeyPress {
    Key key;
    char letter = 0;  // 'A' to 'Z' for Key::Letter
    bool shift = false;
    bool alt = false;
};

// Which keyboard cues a window shows: the focus rectangle and the access
// keys' underlines. Both are hidden for the mouse user until the first Alt
// or Tab (or always shown where the user asked the system for that).
struct KeyboardCues {
    bool focus = false;
    bool accelerators = false;

    bool operator==(const KeyboardCues&) const = default;
};

}  // namespace ui
