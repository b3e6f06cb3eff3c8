#pragma once

#include <windows.h>

namespace ui::win32 {

// The dialog keys of the toolkit's forms, taken from the message loop before
// a key reaches the window with the focus (as the dialog manager does): Tab,
// Return, Escape, Space, Alt and the access keys go to the form of the
// window, Form::HandleKey. True when the form used the key, which then goes
// no further.
bool TranslateDialogKey(const MSG& message);

}  // namespace ui::win32
