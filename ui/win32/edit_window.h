#pragma once

#include <windows.h>

#include "ui/control.h"

namespace ui::win32 {

// For WM_CTLCOLOREDIT at an edit box's parent: sets the text colour (the
// font's) and background of one of the toolkit's edit boxes and returns the
// brush to paint with; nothing for any other window.
HBRUSH EditColors(HWND edit, HDC dc);

// The edit box behind one of the toolkit's edit windows, or nullptr.
Control* EditControlOf(HWND edit);

}  // namespace ui::win32
