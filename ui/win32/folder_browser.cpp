#include <windows.h>
// windows.h first: the shell headers build on it.
#include <shlobj.h>

#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"
#include "ui/folder_browser.h"
#include "ui/win32/modal.h"

namespace ui {

namespace {

using platform::win32::Wide;

int CALLBACK OnBrowserEvent(HWND dialog, UINT event, LPARAM, LPARAM data) noexcept {
    if (event == BFFM_INITIALIZED) {
        win32::CenterOnScreen(dialog);
        const auto* folder = reinterpret_cast<const std::wstring*>(data);
        if (!folder->empty()) {
            ::SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE,
                           reinterpret_cast<LPARAM>(folder->c_str()));
        }
    }
    return 0;
}

}  // namespace

std::optional<std::string> BrowseForFolder(const FolderBrowseRequest& request) {
    // The dialog disables its owner (the active window) and activates it
    // again when it closes; the application's other windows are disabled
    // here meanwhile.
    const HWND owner = ::GetActiveWindow();
    const win32::ThreadWindowsDisabled others(owner);

    // The wide calls take and give a folder in any script whole.
    const std::wstring title = Wide(request.dialogText);
    const std::wstring preselected = Wide(request.folder);
    wchar_t displayName[MAX_PATH] = {};
    BROWSEINFOW info = {};
    info.hwndOwner = owner;
    info.pidlRoot = nullptr;  // the desktop
    info.pszDisplayName = displayName;
    info.lpszTitle = title.c_str();
    info.ulFlags = ((request.options & bifNewDialogStyle) ? BIF_NEWDIALOGSTYLE : 0) |
                   ((request.options & bifReturnOnlyFSDirs) ? BIF_RETURNONLYFSDIRS : 0);
    info.lpfn = &OnBrowserEvent;
    info.lParam = reinterpret_cast<LPARAM>(&preselected);
    const platform::win32::UniqueCoTaskMem chosen(::SHBrowseForFolderW(&info));
    if (!chosen.valid()) {
        return std::nullopt;
    }
    wchar_t path[MAX_PATH] = {};
    if (!::SHGetPathFromIDListW(static_cast<LPCITEMIDLIST>(chosen.get()), path)) {
        return std::nullopt;
    }
    return platform::win32::Narrow(path);
}

}  // namespace ui
