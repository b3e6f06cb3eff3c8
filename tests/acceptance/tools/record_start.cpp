// Stands in for a DOSBox program in the acceptance tests:
//
//   record_start.exe [ARGS...]           writes started.txt beside itself: its
//                                        command line, then its working folder
//   record_start.exe link LNK TARGET     writes a shortcut LNK to TARGET (as
//                                        another program's installer would)
//
// Exit code 0, or 1 when the file could not be written.

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "integration/shell_link.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "link") == 0) {
        const platform::ComApartment com;
        return CreateShellLink(argv[2], argv[3], "", "DOSBox", argv[3], 0, 0).written ? 0 : 1;
    }
    char self[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string record(self);
    record = record.substr(0, record.find_last_of('\\') + 1) + "started.txt";
    char folder[MAX_PATH] = {};
    ::GetCurrentDirectoryA(MAX_PATH, folder);
    FILE* file = std::fopen(record.c_str(), "w");
    if (file == nullptr) {
        return 1;
    }
    std::fprintf(file, "%s\n%s\n", ::GetCommandLineA(), folder);
    std::fclose(file);
    return 0;
}
