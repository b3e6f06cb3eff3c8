#include "platform/win32/system_library.h"

#include <cstring>

namespace platform::win32 {

namespace {

// LOAD_LIBRARY_SEARCH_SYSTEM32, spelled out: the headers declare it only for
// newer Windows than the program targets.
constexpr DWORD kSearchSystemFolder = 0x00000800;

}  // namespace

void TrustOnlySystemLibraries() noexcept {
    // SetDefaultDllDirectories came with Windows 8 and an update to Windows 7,
    // so it is looked up; kernel32 is always loaded.
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    const auto setDefaultDllDirectories =
        reinterpret_cast<SetDefaultDllDirectoriesFn>(reinterpret_cast<void*>(
            ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    if (setDefaultDllDirectories != nullptr && setDefaultDllDirectories(kSearchSystemFolder)) {
        return;
    }
    // Without it, at least the current folder leaves the search. The program's
    // own folder stays, which is why every library the program loads itself
    // is named by its full path.
    ::SetDllDirectoryW(L"");
}

UniqueModule LoadSystemLibrary(const char* fileName) noexcept {
    wchar_t path[MAX_PATH] = {};
    const UINT folder = ::GetSystemDirectoryW(path, MAX_PATH);
    const std::size_t name = std::strlen(fileName);
    // The folder, a backslash, the name and its terminating zero must fit.
    if (folder == 0 || folder + 1 + name >= MAX_PATH) {
        return UniqueModule();
    }
    std::size_t at = folder;
    if (path[at - 1] != L'\\') {
        path[at++] = L'\\';
    }
    // The names asked for are ASCII, one wide character per byte.
    for (std::size_t i = 0; i <= name; ++i) {
        path[at + i] = static_cast<unsigned char>(fileName[i]);
    }
    return UniqueModule(::LoadLibraryW(path));
}

}  // namespace platform::win32
