// The controls of the DLL-planting suite: a program that loads the theme
// library by its bare name, as the installer once did, with or without
// first narrowing the search as the installer's entry point now does.
//
//   planting_control bare       LoadLibraryW(L"uxtheme.dll")
//   planting_control narrowed   the installer's narrowing, then the same
//
// Prints the path of the module it got (UTF-8). Exit code 0 when it loaded
// one, 1 when it did not, 2 for a wrong command line.

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "platform/win32/system_library.h"
#include "platform/win32/wide.h"

int main(int argc, char** argv) {
    if (argc != 2 || (std::strcmp(argv[1], "bare") != 0 && std::strcmp(argv[1], "narrowed") != 0)) {
        std::fprintf(stderr, "usage: planting_control bare | narrowed\n");
        return 2;
    }
    if (std::strcmp(argv[1], "narrowed") == 0) {
        platform::win32::TrustOnlySystemLibraries();
    }
    const HMODULE module = ::LoadLibraryW(L"uxtheme.dll");
    if (module == nullptr) {
        std::printf("not loaded\n");
        return 1;
    }
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(module, path, MAX_PATH);
    std::printf("%s\n", platform::win32::Narrow(path).c_str());
    return 0;
}
