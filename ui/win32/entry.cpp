#include <windows.h>

#include "platform/win32/system_library.h"
#include "ui/entry.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // Before the toolkit or the program loads anything.
    platform::win32::TrustOnlySystemLibraries();
    return ApplicationMain();
}
