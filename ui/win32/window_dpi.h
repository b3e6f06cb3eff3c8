#pragma once

#include <windows.h>

namespace ui::win32 {

// Asked before a per-monitor window moves to another dpi (Windows 10,
// version 1703 and later; newer than the headers' target): wParam the new
// dpi, lParam the SIZE of the window there, to be corrected.
constexpr UINT kGetDpiScaledSize = 0x02E4;

// The pixels per inch of the monitor a window is on, as the process sees
// it: the window's own where Windows keeps one per window (10, version 1607
// and later), else the system's (what the screen's device context reports).
int WindowDpi(HWND window);

// The window rectangle around a client area of the size, with the frame
// the styles give at the dpi (the caption and borders grow with it where
// Windows draws them per monitor).
RECT FrameAround(SIZE client, DWORD style, DWORD exStyle, int dpi);

}  // namespace ui::win32
