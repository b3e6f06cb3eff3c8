// Looks at the windows of another program under the same wineserver, for the
// acceptance tests:
//
//   probe texts TITLE        the window's class and text, then one line per
//                            child window: class, a tab, its text (escaped)
//   probe modules TITLE      the file paths of the modules loaded by the
//                            process that owns the window
//   probe click TITLE TEXT   clicks the child button whose text is TEXT
//   probe clipboard          the clipboard's text, escaped as above
//   probe controls TITLE     the installer window's own description of its
//                            controls, windowless ones included: one line
//                            each (ui/describe.h)
//   probe focus TITLE        class and text of the window that has the
//                            keyboard focus in the window's thread
//   probe cursor             the handle of the mouse pointer shown now
//   probe drive ROOT         GetDriveType of a root such as 'd:\'
//   probe hold PATH          opens the file for reading and writing with no
//                            sharing, as another program might, prints
//                            "held" and keeps it open until ended
//   probe client TITLE       where the visible window's client area is, in
//                            screen coordinates: "X Y W H"; exit code 1
//                            while the window is hidden
//   probe buttons TITLE      the middle of each title-bar button the window
//                            has, in screen coordinates: "close X Y",
//                            "maximize X Y", "minimize X Y" (asks the window
//                            itself, so only while its program pumps)
//   probe child TITLE CLASS  where the window's first child of the class is,
//                            in the window's client coordinates: "X Y W H"
//   probe settext TITLE CLASS TEXT
//                            sets the text of that child, as a paste would
//   probe dpi                the screen's pixels per inch (LOGPIXELSY)
//   probe window TITLE       the window's rectangle on the screen: "X Y W H"
//   probe dpichange TITLE DPI X Y W H
//                            tells the window it moved to a monitor of that
//                            dpi, suggesting the window rectangle at X, Y
//                            around a client area of W x H (the rectangle
//                            lives in the window's own process, as Windows
//                            passes it)
//
// Texts, titles and paths are UTF-8 on the command line and in the output.
// Exit code 0 on success, 1 when the window or button is not found.

#include <windows.h>
// windows.h first: psapi.h builds on it.
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string>
#include <vector>

#include "platform/win32/wide.h"
#include "tests/acceptance/tools/utf8_arguments.h"
#include "ui/entry.h"
#include "ui/win32/describe_reply.h"

namespace {

using platform::win32::Narrow;
using platform::win32::Wide;

std::string Escape(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\\') {
            out += "\\\\";
        } else {
            out += c;
        }
    }
    return out;
}

std::string TextOf(HWND window) {
    wchar_t buffer[8192] = {};
    ::SendMessageTimeoutW(window, WM_GETTEXT, std::size(buffer), reinterpret_cast<LPARAM>(buffer),
                          SMTO_ABORTIFHUNG, 2000, nullptr);
    return Narrow(buffer);
}

std::string ClassOf(HWND window) {
    wchar_t buffer[256] = {};
    ::GetClassNameW(window, buffer, std::size(buffer));
    return Narrow(buffer);
}

BOOL CALLBACK PrintChild(HWND child, LPARAM) {
    std::printf("%s\t%s\n", ClassOf(child).c_str(), Escape(TextOf(child)).c_str());
    return TRUE;
}

struct ButtonSearch {
    std::string text;
    HWND found = nullptr;
};

BOOL CALLBACK FindButton(HWND child, LPARAM search) {
    auto* s = reinterpret_cast<ButtonSearch*>(search);
    if (TextOf(child) == s->text) {
        s->found = child;
        return FALSE;
    }
    return TRUE;
}

int Modules(HWND window) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    HANDLE process = ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (process == nullptr) {
        return 1;
    }
    HMODULE modules[1024];
    DWORD needed = 0;
    if (::EnumProcessModules(process, modules, sizeof modules, &needed)) {
        for (DWORD i = 0; i < needed / sizeof(HMODULE); ++i) {
            wchar_t path[MAX_PATH] = {};
            ::GetModuleFileNameExW(process, modules[i], path, MAX_PATH);
            std::printf("%s\n", Narrow(path).c_str());
        }
    }
    ::CloseHandle(process);
    return 0;
}

std::string description;

LRESULT CALLBACK ReceiveDescription(HWND window, UINT message, WPARAM wParam,
                                    LPARAM lParam) noexcept {
    if (message == WM_COPYDATA) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (data->dwData == ui::win32::kDescriptionTag) {
            description.assign(static_cast<const char*>(data->lpData), data->cbData);
            return TRUE;
        }
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

// Asks the window for its description, which it sends back to a window of
// ours while we wait.
int Controls(HWND window) {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = &ReceiveDescription;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"ProbeReceiver";
    ::RegisterClassW(&windowClass);
    HWND receiver = ::CreateWindowExW(0, L"ProbeReceiver", L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                      nullptr, windowClass.hInstance, nullptr);
    const UINT describe = ::RegisterWindowMessageW(ui::win32::kDescribeMessageName);
    DWORD_PTR answered = 0;
    ::SendMessageTimeoutW(window, describe, reinterpret_cast<WPARAM>(receiver), 0, SMTO_ABORTIFHUNG,
                          5000, &answered);
    ::DestroyWindow(receiver);
    if (description.empty()) {
        return 1;
    }
    std::fwrite(description.data(), 1, description.size(), stdout);
    return 0;
}

int Focus(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info) ||
        info.hwndFocus == nullptr) {
        std::printf("none\n");
        return 0;
    }
    std::printf("%s\t%s\n", ClassOf(info.hwndFocus).c_str(),
                Escape(TextOf(info.hwndFocus)).c_str());
    return 0;
}

// Cursor handles differ between processes under Wine, so tests compare the
// handle shown at one place with the one shown at another.
int Cursor() {
    CURSORINFO info = {};
    info.cbSize = sizeof info;
    if (!::GetCursorInfo(&info)) {
        return 1;
    }
    std::printf("%p\n", static_cast<void*>(info.hCursor));
    return 0;
}

int Client(HWND window) {
    if (!::IsWindowVisible(window)) {
        return 1;
    }
    RECT client;
    ::GetClientRect(window, &client);
    POINT origin{0, 0};
    ::ClientToScreen(window, &origin);
    std::printf("%ld %ld %ld %ld\n", origin.x, origin.y, client.right, client.bottom);
    return 0;
}

HWND FindChild(HWND window, const std::string& className) {
    const std::wstring wideClass = Wide(className);
    HWND child = ::FindWindowExW(window, nullptr, wideClass.c_str(), nullptr);
    // One level down: the installer's edit box lives in a page's window.
    for (HWND inner = ::GetWindow(window, GW_CHILD); inner != nullptr && child == nullptr;
         inner = ::GetWindow(inner, GW_HWNDNEXT)) {
        child = ::FindWindowExW(inner, nullptr, wideClass.c_str(), nullptr);
    }
    return child;
}

int Child(HWND window, const std::string& className) {
    const HWND child = FindChild(window, className);
    if (child == nullptr) {
        return 1;
    }
    RECT rect;
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
    std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left,
                rect.bottom - rect.top);
    return 0;
}

int DpiChange(HWND window, int dpi, POINT at, SIZE client) {
    // The frame around the client area at that dpi, as Windows draws it.
    using AdjustForDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    const auto adjust = reinterpret_cast<AdjustForDpi>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "AdjustWindowRectExForDpi")));
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_EXSTYLE));
    RECT suggested{0, 0, client.cx, client.cy};
    if (adjust == nullptr || !adjust(&suggested, style, FALSE, exStyle, dpi)) {
        ::AdjustWindowRectEx(&suggested, style, FALSE, exStyle);
    }
    ::OffsetRect(&suggested, at.x - suggested.left, at.y - suggested.top);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    HANDLE process = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, pid);
    if (process == nullptr) {
        return 1;
    }
    void* remote = ::VirtualAllocEx(process, nullptr, sizeof suggested, MEM_COMMIT | MEM_RESERVE,
                                    PAGE_READWRITE);
    int status = 1;
    if (remote != nullptr &&
        ::WriteProcessMemory(process, remote, &suggested, sizeof suggested, nullptr)) {
        DWORD_PTR result = 0;
        constexpr UINT kDpiChanged = 0x02E0;
        if (::SendMessageTimeoutW(window, kDpiChanged, MAKEWPARAM(dpi, dpi),
                                  reinterpret_cast<LPARAM>(remote), SMTO_ABORTIFHUNG, 10000,
                                  &result)) {
            status = 0;
        }
    }
    if (remote != nullptr) {
        ::VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    ::CloseHandle(process);
    return status;
}

// The middle of each title-bar button, found by asking the window what lies
// under each point of a row through the middle of its title bar.
int Buttons(HWND window) {
    RECT outer;
    ::GetWindowRect(window, &outer);
    POINT origin{0, 0};
    ::ClientToScreen(window, &origin);
    const LONG y = (outer.top + origin.y) / 2;
    const struct {
        LRESULT code;
        const char* name;
    } buttons[] = {{HTCLOSE, "close"}, {HTMAXBUTTON, "maximize"}, {HTMINBUTTON, "minimize"}};
    for (const auto& button : buttons) {
        long sum = 0, count = 0;
        for (LONG x = outer.left; x < outer.right; ++x) {
            DWORD_PTR hit = 0;
            ::SendMessageTimeoutW(window, WM_NCHITTEST, 0, MAKELPARAM(x, y), SMTO_ABORTIFHUNG, 2000,
                                  &hit);
            if (static_cast<LRESULT>(hit) == button.code) {
                sum += x, ++count;
            }
        }
        if (count > 0) {
            std::printf("%s %ld %ld\n", button.name, sum / count, y);
        }
    }
    return 0;
}

int Hold(const std::string& path) {
    HANDLE file = ::CreateFileW(Wide(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        std::fprintf(stderr, "cannot open %s: error %lu\n", path.c_str(), ::GetLastError());
        return 1;
    }
    std::printf("held\n");
    std::fflush(stdout);
    // The handle stays open until the test ends this process.
    ::Sleep(INFINITE);
    ::CloseHandle(file);
    return 0;
}

}  // namespace

int Clipboard() {
    if (!::OpenClipboard(nullptr)) {
        return 1;
    }
    int status = 1;
    if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* text = static_cast<const wchar_t*>(::GlobalLock(data))) {
            std::printf("%s\n", Escape(Narrow(text)).c_str());
            ::GlobalUnlock(data);
            status = 0;
        }
    }
    ::CloseClipboard();
    return status;
}

int main() {
    const std::vector<std::string> argv = Utf8Arguments();
    const std::size_t argc = argv.size();
    if (argc == 2 && argv[1] == "clipboard") {
        return Clipboard();
    }
    if (argc == 2 && argv[1] == "cursor") {
        return Cursor();
    }
    if (argc == 3 && argv[1] == "drive") {
        std::printf("%u\n", ::GetDriveTypeW(Wide(argv[2]).c_str()));
        return 0;
    }
    if (argc == 3 && argv[1] == "hold") {
        return Hold(argv[2]);
    }
    if (argc == 2 && argv[1] == "dpi") {
        const HDC screen = ::GetDC(nullptr);
        std::printf("%d\n", ::GetDeviceCaps(screen, LOGPIXELSY));
        ::ReleaseDC(nullptr, screen);
        return 0;
    }
    if (argc < 3) {
        std::fprintf(stderr,
                     "usage: probe texts|modules|controls|focus|client|window|buttons|click TITLE "
                     "[TEXT]\n");
        return 2;
    }
    const std::string& command = argv[1];
    HWND window = ::FindWindowW(nullptr, Wide(argv[2]).c_str());
    if (window == nullptr) {
        std::fprintf(stderr, "no window titled %s\n", argv[2].c_str());
        return 1;
    }
    if (command == "texts") {
        std::printf("%s\t%s\n", ClassOf(window).c_str(), Escape(TextOf(window)).c_str());
        ::EnumChildWindows(window, &PrintChild, 0);
        return 0;
    }
    if (command == "modules") {
        return Modules(window);
    }
    if (command == "controls") {
        return Controls(window);
    }
    if (command == "focus") {
        return Focus(window);
    }
    if (command == "client") {
        return Client(window);
    }
    if (command == "buttons") {
        return Buttons(window);
    }
    if (command == "child" && argc == 4) {
        return Child(window, argv[3]);
    }
    if (command == "settext" && argc == 5) {
        const HWND child = FindChild(window, argv[3]);
        return child != nullptr && ::SendMessageW(child, WM_SETTEXT, 0,
                                                  reinterpret_cast<LPARAM>(Wide(argv[4]).c_str()))
                   ? 0
                   : 1;
    }
    if (command == "dpichange" && argc == 8) {
        const auto number = [&](std::size_t i) { return std::atoi(argv[i].c_str()); };
        return DpiChange(window, number(3), {number(4), number(5)}, {number(6), number(7)});
    }
    if (command == "window") {
        RECT rect;
        ::GetWindowRect(window, &rect);
        std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top);
        return 0;
    }
    if (command == "click" && argc == 4) {
        ButtonSearch search{argv[3]};
        ::EnumChildWindows(window, &FindButton, reinterpret_cast<LPARAM>(&search));
        if (search.found == nullptr) {
            return 1;
        }
        ::PostMessageW(search.found, BM_CLICK, 0, 0);
        return 0;
    }
    return 2;
}

// Linked with the toolkit, which expects a program entry of its own.
int ApplicationMain() {
    return 0;
}
