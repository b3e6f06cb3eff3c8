#include "ui/win32/modal.h"

namespace ui::win32 {

namespace {

struct Collection {
    HWND except;
    std::vector<HWND>* windows;
};

BOOL CALLBACK CollectEnabledWindow(HWND window, LPARAM collection) noexcept {
    auto* c = reinterpret_cast<Collection*>(collection);
    if (window != c->except && ::IsWindowVisible(window) && ::IsWindowEnabled(window)) {
        c->windows->push_back(window);
    }
    return TRUE;
}

}  // namespace

POINT CentredOnScreen(int width, int height) {
    RECT work;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return {work.left + (work.right - work.left - width) / 2,
            work.top + (work.bottom - work.top - height) / 2};
}

void CenterOnScreen(HWND window) {
    RECT frame;
    ::GetWindowRect(window, &frame);
    const POINT at = CentredOnScreen(frame.right - frame.left, frame.bottom - frame.top);
    ::SetWindowPos(window, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

ThreadWindowsDisabled::ThreadWindowsDisabled(HWND except) {
    Collection collection{except, &disabled_};
    ::EnumThreadWindows(::GetCurrentThreadId(), &CollectEnabledWindow,
                        reinterpret_cast<LPARAM>(&collection));
    for (HWND window : disabled_) {
        ::EnableWindow(window, FALSE);
    }
}

ThreadWindowsDisabled::~ThreadWindowsDisabled() {
    for (HWND window : disabled_) {
        ::EnableWindow(window, TRUE);
    }
}

}  // namespace ui::win32
