// Stands in for a DOSBox program in the acceptance tests:
//
//   record_start.exe [ARGS...]           writes started.txt beside itself: its
//                                        command line, then its working folder
//   record_start.exe link LNK TARGET     writes a shortcut LNK to TARGET (as
//                                        another program's installer would)
//
// Paths and the command line are UTF-8, taken from and written with the wide
// calls. Exit code 0, or 1 when the file could not be written.

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "integration/shell_link.h"
#include "platform/platform.h"
#include "platform/win32/wide.h"
#include "tests/acceptance/tools/utf8_arguments.h"

using platform::win32::Narrow;

int main() {
    const std::vector<std::string> arguments = Utf8Arguments();
    if (arguments.size() == 4 && arguments[1] == "link") {
        const platform::ComApartment com;
        return CreateShellLink(arguments[2], arguments[3], "", "DOSBox", arguments[3], 0, 0).written
                   ? 0
                   : 1;
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
