#pragma once

#include <string>

// True when the installer may go on. False after the platform advice was
// shown (64-bit Windows without DOSBox, or "/t" in any case at the start of
// any argument, or anywhere inside one), which also offers to open the
// DOSBox download page.
bool CheckPlatform();

// The process entry's work: the platform check, then the application and its
// main window until that closes. Returns the exit code: 0 on every orderly
// end, 1 when an error escapes start-up itself (after a system error box).
int RunInstaller();
