#include <windows.h>
// windows.h first: the shell headers build on it.
#include <shlobj.h>

#include "platform/win32/unique_handle.h"
#include "ui/folder_browser.h"
#include "ui/win32/modal.h"

namespace ui {

namespace {

int CALLBACK OnBrowserEvent(HWND dialog, UINT event, LPARAM, LPARAM data) noexcept {
    if (event == BFFM_INITIALIZED) {
        win32::CenterOnScreen(dialog);
        const auto* folder = reinterpret_cast<const std::string*>(data);
        if (!folder->empty()) {
            ::SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE,
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

    char displayName[MAX_PATH] = {};
    BROWSEINFOA info = {};
    info.hwndOwner = owner;
    info.pidlRoot = nullptr;  // the desktop
    info.pszDisplayName = displayName;
    info.lpszTitle = request.dialogText.c_str();
    info.ulFlags = ((request.options & bifNewDialogStyle) ? BIF_NEWDIALOGSTYLE : 0) |
                   ((request.options & bifReturnOnlyFSDirs) ? BIF_RETURNONLYFSDIRS : 0);
    info.lpfn = &OnBrowserEvent;
    info.lParam = reinterpret_cast<LPARAM>(&request.folder);
    const platform::win32::UniqueCoTaskMem chosen(::SHBrowseForFolderA(&info));
    if (!chosen.valid()) {
        return std::nullopt;
    }
    char path[MAX_PATH] = {};
    if (!::SHGetPathFromIDListA(static_cast<LPCITEMIDLIST>(chosen.get()), path)) {
        return std::nullopt;
    }
    return std::string(path);
}

}  // namespace ui
