#pragma once

#include <string>

// Looks for DOSBox under Program Files: the first listed entry (hidden and
// system ones skipped) whose lower-cased name contains "dosbox" and that
// holds dosbox.exe. The output receives that lower-cased path and the result
// is true; when no entry holds the program, the result is false and the
// output holds the first candidate, or nothing.
bool FindDosBox(std::string& path);

// True when the installer may go on. False after the platform advice was
// shown (64-bit Windows without DOSBox, or "/t" in any case at the start of
// any argument, or anywhere inside one), which also offers to open the
// DOSBox download page.
bool CheckPlatform();

// The process entry's work: the platform check, then the application and its
// main window until that closes. Returns the exit code: 0 on every orderly
// end, 1 when an error escapes start-up itself (after a system error box).
int RunInstaller();
