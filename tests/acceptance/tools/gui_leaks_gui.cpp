// Counts this process's GUI objects around the installer's own windows, for
// the acceptance test of GUI leaks (never shipped):
//
//   gui_leaks_gui FOLDER [REPAINTS [BOXES [DPI_CHANGES]]]
//
// Two rounds, each a whole installation into FOLDER (RunInstallation with
// its progress window, completion and final message), DPI_CHANGES moves of
// the progress window to monitors of other dpis (WM_DPICHANGED, ending at
// 96) and REPAINTS synchronous repaints of it once it says "Installation
// Successful.", the main window opened and moved as often, and BOXES message
// boxes through the installer's own ShowMessageText and MessageBoxTask. The
// first round (10 repaints, 2 boxes, 4 moves) warms up what is made once per
// process; the second uses the given counts (1000, 50 and 20 by default). A thread timer stands in
// for the user: it presses Enter on every box as it comes, does the repaints and then closes the
// progress window.
//
// Prints, one line each, "start", "during" (each progress window up),
// "before" (after the warm-up) and "after" with the GDI objects, USER objects (windows) and kernel
// handles, then what GetGuiResources itself said. Where it says 0 (Wine keeps no such counts), GDI
// objects are counted by asking the type of every handle index and USER objects by counting the
// process's windows. Exit code 0 when both rounds went as planned, 1 otherwise (the reason on
// standard error).

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "app/dosbox_path.h"
#include "app/main_form.h"
#include "app/message_boxes.h"
#include "app/startup.h"
#include "install/run_installation.h"
#include "platform/win32/wide.h"
#include "tests/acceptance/tools/utf8_arguments.h"
#include "ui/application.h"
#include "ui/entry.h"
#include "ui/win32/describe_reply.h"
#include "util/format.h"
#include "util/shell_helpers.h"

namespace {

constexpr char kProgressTitle[] = "Installation Progress";
constexpr char kFinishedStage[] = "Installation Successful.";

// --- Counting ----------------------------------------------------------------

// Wine's GDI handle table is indexed by a handle's low word, and a handle
// given by its index alone (high word 0) names whatever object lives there;
// Windows keeps a count of its own.
DWORD CountGdiObjects() {
    if (const DWORD counted = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS)) {
        return counted;
    }
    DWORD count = 0;
    for (UINT_PTR index = 1; index <= 0xFFFF; ++index) {
        if (::GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0) {
            ++count;
        }
    }
    return count;
}

bool IsOwn(HWND window) {
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    return process == ::GetCurrentProcessId();
}

BOOL CALLBACK CountChild(HWND, LPARAM count) {
    ++*reinterpret_cast<DWORD*>(count);
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM count) {
    if (IsOwn(window)) {
        ++*reinterpret_cast<DWORD*>(count);
        ::EnumChildWindows(window, CountChild, count);
    }
    return TRUE;
}

// The process's windows: top-level ones with all their descendants, and
// message-only ones (which EnumWindows leaves out).
DWORD CountUserObjects() {
    if (const DWORD counted = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS)) {
        return counted;
    }
    DWORD count = 0;
    ::EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&count));
    for (HWND window = nullptr;
         (window = ::FindWindowExW(HWND_MESSAGE, window, nullptr, nullptr)) != nullptr;) {
        if (IsOwn(window)) {
            ++count;
        }
    }
    return count;
}

// Wine answers 0 for the count; its handles are multiples of 4 handed out
// lowest first, so the process's table is probed instead.
DWORD CountHandles() {
    DWORD count = 0;
    if (::GetProcessHandleCount(::GetCurrentProcess(), &count) && count != 0) {
        return count;
    }
    for (UINT_PTR value = 4; value < 0x10000; value += 4) {
        DWORD flags = 0;
        if (::GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) {
            ++count;
        }
    }
    return count;
}

void PrintCounts(const char* phase) {
    const DWORD handles = CountHandles();
    std::printf("%s gdi %lu user %lu handles %lu\n", phase, CountGdiObjects(), CountUserObjects(),
                handles);
    std::fflush(stdout);
}

// --- The stand-in user ---------------------------------------------------------

// Receives the progress window's description of its controls (the probe's
// way of reading a windowless label, ui/win32/describe_reply.h).
class DescriptionReceiver {
  public:
    DescriptionReceiver() {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = &Procedure;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"GuiLeaksReceiver";
        ::RegisterClassW(&windowClass);
        window_ = ::CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                    nullptr, windowClass.hInstance, nullptr);
    }
    ~DescriptionReceiver() { ::DestroyWindow(window_); }
    DescriptionReceiver(const DescriptionReceiver&) = delete;
    DescriptionReceiver& operator=(const DescriptionReceiver&) = delete;

    // The text of the named control of the form, or empty.
    std::string TextOf(HWND form, const std::string& control) {
        static const UINT describe = ::RegisterWindowMessageW(ui::win32::kDescribeMessageName);
        received_.clear();
        ::SendMessageW(form, describe, reinterpret_cast<WPARAM>(window_), 0);
        std::istringstream lines(received_);
        std::string line;
        while (std::getline(lines, line)) {
            std::istringstream fields(line);
            std::string field;
            std::getline(fields, field, '\t');
            if (field != control) {
                continue;
            }
            for (int skip = 0; skip < 5; ++skip) {  // left, top, width, height, shown
                std::getline(fields, field, '\t');
            }
            std::getline(fields, field, '\t');
            return field;
        }
        return std::string();
    }

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (message == WM_COPYDATA && data->dwData == ui::win32::kDescriptionTag) {
            received_.assign(static_cast<const char*>(data->lpData), data->cbData);
            return TRUE;
        }
        return ::DefWindowProcW(window, message, wParam, lParam);
    }

    static inline std::string received_;
    HWND window_ = nullptr;
};

// Tells a window it moved to monitors of 144, 192, 120 and 96 dpi in turn,
// as Windows does, repainting it at each; the last move is back to 96.
void MoveAcrossMonitors(HWND window, int moves) {
    static const int kDpis[] = {144, 192, 120, 96};
    for (int i = 0; i < moves; ++i) {
        const int dpi = i == moves - 1 ? 96 : kDpis[i % 4];
        RECT suggested;
        ::GetWindowRect(window, &suggested);
        suggested.right = suggested.left + (suggested.right - suggested.left) * dpi / 96;
        suggested.bottom = suggested.top + (suggested.bottom - suggested.top) * dpi / 96;
        ::SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                       reinterpret_cast<LPARAM>(&suggested));
        ::RedrawWindow(window, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
}

struct RoundState {
    DescriptionReceiver* receiver = nullptr;
    ui::Application* application = nullptr;
    int repaints = 0;
    int dpiChanges = 0;
    bool progressClosed = false;
    HWND lastBox = nullptr;
    int boxesSeen = 0;
};
RoundState state;

struct FoundWindow {
    const char* className;
    const char* title;
    HWND window;
};

BOOL CALLBACK FindVisible(HWND window, LPARAM param) {
    using platform::win32::Narrow;
    auto* found = reinterpret_cast<FoundWindow*>(param);
    wchar_t text[256] = {};
    if (!::IsWindowVisible(window)) {
        return TRUE;
    }
    if (found->className != nullptr &&
        (::GetClassNameW(window, text, std::size(text)) == 0 || Narrow(text) != found->className)) {
        return TRUE;
    }
    if (found->title != nullptr &&
        (::GetWindowTextW(window, text, std::size(text)) == 0 || Narrow(text) != found->title)) {
        return TRUE;
    }
    found->window = window;
    return FALSE;
}

// A visible top-level window of this thread by class or title.
HWND ThreadWindow(const char* className, const char* title) {
    FoundWindow found = {className, title, nullptr};
    ::EnumThreadWindows(::GetCurrentThreadId(), FindVisible, reinterpret_cast<LPARAM>(&found));
    return found.window;
}

// Enter on the box's focused button, as the keyboard gives it. The boxes
// are the system's task dialogs (dialog class), which Windows 6 and Wine
// both have.
void PressEnter(HWND box) {
    const HWND focus = ::GetFocus();
    if (focus == nullptr || !::IsChild(box, focus)) {
        return;  // not ready yet: the next tick comes back
    }
    ::PostMessageW(focus, WM_KEYDOWN, VK_RETURN, 1);
    ::PostMessageW(focus, WM_KEYUP, VK_RETURN, 0xC0000001);
}

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (const HWND box = ThreadWindow("#32770", nullptr)) {
        if (box != state.lastBox) {
            state.lastBox = box;
            ++state.boxesSeen;
        }
        PressEnter(box);
        return;
    }
    const HWND progress = ThreadWindow(nullptr, kProgressTitle);
    if (progress == nullptr || state.progressClosed ||
        state.receiver->TextOf(progress, "lbStage") != kFinishedStage) {
        return;
    }
    PrintCounts("during");  // the progress window up: the counts see it
    MoveAcrossMonitors(progress, state.dpiChanges);
    const DWORD started = ::GetTickCount();
    for (int i = 0; i < state.repaints; ++i) {
        ::RedrawWindow(progress, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    std::printf("repaints %d in %lu ms\n", state.repaints, ::GetTickCount() - started);
    state.progressClosed = true;
    ::PostMessageW(progress, WM_CLOSE, 0, 0);  // the close box: ends the wait for OK
}

class ThreadTimer {
  public:
    explicit ThreadTimer(UINT milliseconds) : id_(::SetTimer(nullptr, 0, milliseconds, Tick)) {}
    ~ThreadTimer() { ::KillTimer(nullptr, id_); }
    ThreadTimer(const ThreadTimer&) = delete;
    ThreadTimer& operator=(const ThreadTimer&) = delete;

  private:
    UINT_PTR id_;
};

// One installation with its repaints, then the boxes; false (with the reason
// on standard error) when something did not happen as planned.
bool Round(const std::string& folder, int repaints, int boxes, int dpiChanges) {
    state.repaints = repaints;
    state.dpiChanges = dpiChanges;
    state.progressClosed = false;
    if (!RunInstallation(folder)) {
        std::fprintf(stderr, "the installation into %s failed\n", folder.c_str());
        return false;
    }
    if (!state.progressClosed) {
        std::fprintf(stderr, "the progress window was never repainted\n");
        return false;
    }
    {
        TMainForm form(*state.application, [](const std::string&) { return true; });
        form.Show();
        const HWND window = ThreadWindow(nullptr, form.caption().c_str());
        if (window == nullptr) {
            std::fprintf(stderr, "the main window did not show\n");
            return false;
        }
        MoveAcrossMonitors(window, dpiChanges);
    }
    const int seen = state.boxesSeen;
    for (int i = 0; i < boxes; ++i) {
        const std::string text = Format("Box %d of %d", {i + 1, boxes});
        if (i % 2 == 0) {
            ShowMessageText(text);
        } else if (MessageBoxTask(nullptr, text, "Tessaly", MB_OKCANCEL | MB_ICONQUESTION) !=
                   IDOK) {
            std::fprintf(stderr, "box %d was not answered OK\n", i + 1);
            return false;
        }
    }
    if (state.boxesSeen - seen != boxes) {
        std::fprintf(stderr, "%d boxes shown, %d pressed\n", boxes, state.boxesSeen - seen);
        return false;
    }
    return true;
}

}  // namespace

int ApplicationMain() {
    const std::vector<std::string> arguments = Utf8Arguments();
    const std::size_t count = arguments.size();
    if (count < 2 || count > 5) {
        std::fprintf(stderr, "usage: gui_leaks_gui FOLDER [REPAINTS [BOXES [DPI_CHANGES]]]\n");
        return 1;
    }
    const auto number = [&](std::size_t i, int otherwise) {
        return count > i ? std::atoi(arguments[i].c_str()) : otherwise;
    };
    const std::string& folder = arguments[1];
    const int repaints = number(2, 1000);
    const int boxes = number(3, 50);
    const int dpiChanges = number(4, 20);

    ui::Application application;
    application.Initialize();
    application.SetMainFormOnTaskBar(true);
    application.SetTitle("Tessaly Installer Version 3.24");
    if (Is64BitWindows()) {
        FindDosBox(DosBoxPath);
    }
    DescriptionReceiver receiver;
    state.receiver = &receiver;
    state.application = &application;
    const ThreadTimer timer(15);
    try {
        PrintCounts("start");
        if (!Round(folder, 10, 2, 4)) {
            return 1;
        }
        PrintCounts("before");
        if (!Round(folder, repaints, boxes, dpiChanges)) {
            return 1;
        }
        PrintCounts("after");
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    std::printf("getguiresources gdi %lu user %lu\n",
                ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS),
                ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS));
    return 0;
}
