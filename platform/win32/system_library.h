#pragma once

#include <windows.h>

#include "platform/win32/unique_handle.h"

namespace platform::win32 {

// Installers are started from download folders, where anyone may have put a
// DLL named like a system one. This keeps every later library search of the
// process (the program's own loads and the system libraries' loads on its
// behalf) in the system folder: the program's own folder and the current
// folder are out. Called first thing in the process entry, before anything
// that may load a library runs.
void TrustOnlySystemLibraries() noexcept;

// Loads a library from the system folder, named by its full path, so that no
// search order is involved. Empty when the system has no such library.
UniqueModule LoadSystemLibrary(const char* fileName) noexcept;

}  // namespace platform::win32
