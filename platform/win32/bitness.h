#pragma once

#include <windows.h>

#include "platform/platform.h"

namespace platform::win32 {

// The shipped installer is a 32-bit program; on machines that cannot execute
// 32-bit code the acceptance tests run 64-bit twins of it instead. The two
// answers that differ between a 32-bit and a 64-bit process on the same
// Windows are adapted here, and only here, so that every build gives the
// answers the shipped 32-bit executable gets.

// The WOW64 answer from the raw IsWow64Process flag of the current process.
Wow64Answer AdaptWow64Flag(BOOL processIsWow64);

// The CSIDL to ask the shell for, so that "Program Files" names the folder
// where 32-bit programs (such as DOSBox 0.74) are installed.
int AdaptCsidl(int csidl);

// The KEY_WOW64_ flag that opens the view of a key the shipped 32-bit exe
// would open for `view`: its own view is the 32-bit one on 64-bit Windows,
// and 32-bit Windows has one view only, so there no flag is given.
REGSAM AdaptRegistryView(RegistryView view);

}  // namespace platform::win32
