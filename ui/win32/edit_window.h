#pragma once

#include <windows.h>

namespace ui::win32 {

// For WM_CTLCOLOREDIT at an edit box's parent: sets the text colour (the
// font's) and background of one of the toolkit's edit boxes and returns the
// brush to paint with; nothing for any other window.
HBRUSH EditColors(HWND edit, HDC dc);

}  // namespace ui::win32
