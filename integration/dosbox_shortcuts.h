#pragma once

#include <string>

#include "integration/setup_log.h"

// The DOSBox set-up after an installation on 64-bit Windows: dosbox.conf in
// the install folder, a launcher shortcut that starts DOSBox (DosBoxPath)
// with it and a "Print F" shortcut (CTRL+ALT+P) that prints the file f, both
// on the desktop and in the Start menu, then a box that tells the user how to
// start and print. Each file is told to the log (when given) before it is
// written.
// Does nothing at all, and gives false, when the folder holds dorn.exe. Both
// folders end with a backslash (the desktop folder may be empty). A file
// that could not be written is named in the box with the reason instead of
// being announced; a `notice` ends the box. Raises what CreateShellLink
// raises; COM is closed again first.
bool CreateDosBoxShortcuts(const std::string& folder, const std::string& desktopFolder,
                           const std::string& notice = {}, SetupLog* log = nullptr);
