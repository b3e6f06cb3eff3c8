#include <windows.h>
// windows.h first: the shell headers build on it.
#include <shellapi.h>
#include <shlobj.h>

#include "platform/platform.h"
#include "platform/win32/bitness.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"

namespace platform {

std::optional<std::string> SpecialFolderPath(int csidl) {
    LPITEMIDLIST rawList = nullptr;
    if (FAILED(::SHGetSpecialFolderLocation(nullptr, win32::AdaptCsidl(csidl), &rawList))) {
        return std::nullopt;
    }
    win32::UniqueCoTaskMem list(rawList);
    wchar_t buffer[MAX_PATH] = {};
    if (!::SHGetPathFromIDListW(static_cast<LPCITEMIDLIST>(list.get()), buffer)) {
        return std::nullopt;
    }
    return win32::Narrow(buffer);
}

std::optional<std::string> UserProgramFilesFolder() {
    // FOLDERID_UserProgramFiles {5CD7AEE2-2219-4A67-B85D-6C9CE15660CB}.
    constexpr GUID kUserProgramFiles = {
        0x5CD7AEE2, 0x2219, 0x4A67, {0xB8, 0x5D, 0x6C, 0x9C, 0xE1, 0x56, 0x60, 0xCB}};
    // SHGetKnownFolderPath came with Windows Vista: looked up, so that the
    // exe still starts on XP. shell32 is loaded already (it is imported).
    using GetKnownFolderPathFn = HRESULT(WINAPI*)(const GUID&, DWORD, HANDLE, PWSTR*);
    const auto getKnownFolderPath = reinterpret_cast<GetKnownFolderPathFn>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"shell32.dll"), "SHGetKnownFolderPath")));
    PWSTR raw = nullptr;
    if (getKnownFolderPath == nullptr ||
        FAILED(getKnownFolderPath(kUserProgramFiles, 0, nullptr, &raw))) {
        if (raw != nullptr) {
            ::CoTaskMemFree(raw);
        }
        return std::nullopt;
    }
    win32::UniqueCoTaskMem owned(raw);
    return win32::Narrow(raw);
}

int ShellDelete(const std::string& mask, unsigned flags) {
    // The source is a list of names ended by an empty one: two NULs at the end.
    std::wstring from = win32::Wide(mask);
    from.push_back(L'\0');
    from.push_back(L'\0');

    SHFILEOPSTRUCTW operation = {};
    operation.hwnd = nullptr;
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.data();
    operation.pTo = nullptr;
    operation.fFlags = static_cast<FILEOP_FLAGS>(flags);
    return ::SHFileOperationW(&operation);
}

std::intptr_t ShellOpen(const std::string& verb, const std::string& file,
                        const std::string& parameters, const std::string& directory,
                        int showCommand) {
    using win32::Wide;
    const HINSTANCE result =
        ::ShellExecuteW(nullptr, Wide(verb).c_str(), Wide(file).c_str(), Wide(parameters).c_str(),
                        Wide(directory).c_str(), showCommand);
    return reinterpret_cast<std::intptr_t>(result);
}

}  // namespace platform
