#include <windows.h>
// windows.h first: commctrl.h builds on it.
#include <commctrl.h>

#include <vector>

#include "platform/platform.h"
#include "platform/win32/wide.h"
#include "ui/message_box.h"
#include "ui/win32/modal.h"
#include "ui/win32/own_message_window.h"

namespace ui::win32 {

namespace {

using TaskDialogIndirectFn = HRESULT(WINAPI*)(const TASKDIALOGCONFIG*, int*, int*, BOOL*);

// Resolved at run time: only version 6 of the common controls (which the
// manifest asks for, Windows 6.0 and later) has it. The common controls are
// the one library named without its folder: the manifest's activation
// context sends that name to version 6 in the side-by-side store, which a
// full path would bypass, and the process's search never reaches the
// program's own folder (platform/win32/system_library.h).
TaskDialogIndirectFn FindTaskDialogIndirect() {
    static const TaskDialogIndirectFn function = [] {
        HMODULE comctl = ::GetModuleHandleW(L"comctl32.dll");
        if (comctl == nullptr) {
            comctl = ::LoadLibraryW(L"comctl32.dll");
        }
        if (comctl == nullptr) {
            return TaskDialogIndirectFn(nullptr);
        }
        return reinterpret_cast<TaskDialogIndirectFn>(
            reinterpret_cast<void*>(::GetProcAddress(comctl, "TaskDialogIndirect")));
    }();
    return function;
}

// A box without an owner stands in the middle of the screen, as Windows puts
// it; Wine centres only the first box of a process and puts later ones in
// the screen's corner.
HRESULT CALLBACK CentreWhenCreated(HWND dialog, UINT notification, WPARAM, LPARAM, LONG_PTR) {
    if (notification == TDN_CREATED) {
        CenterOnScreen(dialog);
    }
    return S_OK;
}

}  // namespace

std::optional<int> ShowTaskDialog(const MessageBoxSpec& spec) {
    const TaskDialogIndirectFn taskDialogIndirect = FindTaskDialogIndirect();
    if (taskDialogIndirect == nullptr) {
        return std::nullopt;
    }
    using platform::win32::Wide;
    const std::wstring caption = Wide(spec.caption);
    const std::wstring text = Wide(spec.text);
    std::vector<std::wstring> captions;
    std::vector<TASKDIALOG_BUTTON> buttons;
    captions.reserve(spec.customButtons.size());
    for (const CustomButton& button : spec.customButtons) {
        captions.push_back(Wide(button.caption));
    }
    for (std::size_t i = 0; i < spec.customButtons.size(); ++i) {
        buttons.push_back({spec.customButtons[i].id, captions[i].c_str()});
    }

    TASKDIALOGCONFIG config = {};
    config.cbSize = sizeof config;
    config.hwndParent = nullptr;
    config.hInstance = nullptr;
    config.dwFlags = spec.allowCancel ? TDF_ALLOW_DIALOG_CANCELLATION : 0;
    config.dwCommonButtons = spec.standardButtons;
    // An empty caption lets the dialog show the executable's file name.
    config.pszWindowTitle = spec.caption.empty() ? nullptr : caption.c_str();
    switch (spec.icon) {
        case BoxIcon::Warning:
            config.pszMainIcon = TD_WARNING_ICON;
            break;
        case BoxIcon::Error:
            config.pszMainIcon = TD_ERROR_ICON;
            break;
        case BoxIcon::Information:
            config.pszMainIcon = TD_INFORMATION_ICON;
            break;
        case BoxIcon::Question:
            config.dwFlags |= TDF_USE_HICON_MAIN;
            config.hMainIcon = ::LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_QUESTION));
            break;
        case BoxIcon::None:
            break;
    }
    config.pszMainInstruction = text.c_str();
    config.cButtons = static_cast<UINT>(buttons.size());
    config.pButtons = buttons.empty() ? nullptr : buttons.data();
    config.nDefaultButton = spec.defaultButton;
    config.pfCallback = CentreWhenCreated;

    // The box has no owner, so nothing disables the application's windows
    // for it: without this, the window behind a box would still take clicks
    // (Install a second time, Cancel under an open question). For the same
    // reason the window it interrupted is activated again afterwards, as an
    // owner would be.
    const HWND interrupted = ::GetActiveWindow();
    int pressed = 0;
    HRESULT result;
    {
        const ThreadWindowsDisabled others;
        result = taskDialogIndirect(&config, &pressed, nullptr, nullptr);
    }
    if (interrupted != nullptr && ::IsWindowVisible(interrupted)) {
        ::SetActiveWindow(interrupted);
    }
    if (FAILED(result)) {
        return std::nullopt;
    }
    return pressed;
}

}  // namespace ui::win32

namespace ui {

int ShowMessageBox(const MessageBoxSpec& spec) {
    if (const auto result = win32::ShowTaskDialog(spec)) {
        return *result;
    }
    return win32::ShowOwnMessageWindow(spec);
}

}  // namespace ui
