// Stands in for a DOSBox program in the acceptance tests:
//
//   record_start.exe [ARGS...]           writes started.txt beside itself: its
//                                        command line, then its working folder
//   record_start.exe link LNK TARGET     writes a shortcut LNK to TARGET (as
//                                        another program's installer would)
//   record_start.exe open LNK            starts what the shortcut's ID list
//                                        names through the shell, with its
//                                        arguments and working folder, waits
//                                        for its end and prints that target;
//                                        Wine's own shell starts a shortcut
//                                        by a path it keeps only in the ANSI
//                                        code page
//
// Paths and the command line are UTF-8, taken from and written with the wide
// calls. Exit code 0, or 1 when the file could not be written or nothing
// started.

#include <windows.h>
// windows.h first: the shell headers build on it.
#include <shlobj.h>

#include <cstdio>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "integration/shell_link.h"
#include "platform/platform.h"
#include "platform/win32/wide.h"
#include "tests/acceptance/tools/utf8_arguments.h"

using platform::win32::Narrow;

namespace {

int OpenByIdList(const std::string& lnk) {
    const platform::ComApartment com;
    constexpr GUID kClsidShellLink = {0x00021401, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
    IShellLinkW* link = nullptr;
    IPersistFile* file = nullptr;
    LPITEMIDLIST list = nullptr;
    wchar_t arguments[1025] = {};
    wchar_t folder[MAX_PATH] = {};
    wchar_t target[MAX_PATH] = {};
    bool started = false;
    if (SUCCEEDED(::CoCreateInstance(kClsidShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                     __uuidof(IShellLinkW), reinterpret_cast<void**>(&link))) &&
        SUCCEEDED(link->QueryInterface(__uuidof(IPersistFile), reinterpret_cast<void**>(&file))) &&
        SUCCEEDED(file->Load(platform::win32::Wide(lnk).c_str(), STGM_READ)) &&
        SUCCEEDED(link->GetIDList(&list)) && list != nullptr) {
        link->GetArguments(arguments, 1025);
        link->GetWorkingDirectory(folder, MAX_PATH);
        ::SHGetPathFromIDListW(list, target);
        SHELLEXECUTEINFOW info = {};
        info.cbSize = sizeof info;
        info.fMask = SEE_MASK_IDLIST | SEE_MASK_NOCLOSEPROCESS;
        info.lpIDList = list;
        info.lpParameters = arguments;
        info.lpDirectory = folder;
        info.nShow = SW_SHOWNORMAL;
        started = ::ShellExecuteExW(&info) && info.hProcess != nullptr;
        if (started) {
            ::WaitForSingleObject(info.hProcess, 30000);
            ::CloseHandle(info.hProcess);
        }
        ::CoTaskMemFree(list);
    }
    if (file != nullptr) {
        file->Release();
    }
    if (link != nullptr) {
        link->Release();
    }
    std::printf("%s\n", Narrow(target).c_str());
    return started ? 0 : 1;
}

}  // namespace

int main() {
    const std::vector<std::string> arguments = Utf8Arguments();
    if (arguments.size() == 4 && arguments[1] == "link") {
        const platform::ComApartment com;
        return CreateShellLink(arguments[2], arguments[3], "", "DOSBox", arguments[3], 0, 0).written
                   ? 0
                   : 1;
    }
    if (arguments.size() == 3 && arguments[1] == "open") {
        return OpenByIdList(arguments[2]);
    }
    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring record(self);
    record = record.substr(0, record.find_last_of(L'\\') + 1) + L"started.txt";
    wchar_t folder[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, folder);
    // Text mode: each line ends in CR LF, as the C runtime writes text.
    std::ofstream file{std::filesystem::path(record)};
    file << Narrow(::GetCommandLineW()) << '\n' << Narrow(folder) << '\n';
    return file.flush() ? 0 : 1;
}
