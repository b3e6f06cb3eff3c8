#pragma once

#include <windows.h>

#include <vector>

namespace ui::win32 {

// Where a frame of this size stands when centred in the screen's work area.
POINT CentredOnScreen(int width, int height);
// Moves a window to the middle of the screen's work area, keeping its size.
void CenterOnScreen(HWND window);

// Disables the enabled, visible top-level windows of this thread (all but
// one, which a modal dialog disables and enables again itself, so that it is
// activated when the dialog closes) until the object goes away.
class ThreadWindowsDisabled {
  public:
    explicit ThreadWindowsDisabled(HWND except = nullptr);
    ~ThreadWindowsDisabled();
    ThreadWindowsDisabled(const ThreadWindowsDisabled&) = delete;
    ThreadWindowsDisabled& operator=(const ThreadWindowsDisabled&) = delete;

  private:
    std::vector<HWND> disabled_;
};

}  // namespace ui::win32
