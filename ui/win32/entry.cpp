#include <windows.h>

#include "ui/entry.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return ApplicationMain();
}
