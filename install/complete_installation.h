#pragma once

#include <string>

#include "integration/setup_log.h"

// The last step of a successful installation run: decides how the user is
// told to start the program, sets up what that needs, and leaves the final
// message (shown by the run, captioned "Tessaly"; nothing when empty) in
// `message`, which is empty on entry. In this order: the menu program in the
// folder's parent; 64-bit Windows (the DOSBox set-up, which shows its own
// box and leaves no message); 32-bit Windows with dorn.exe (Corvane); else
// the offer of a desktop shortcut. `folder` ends with a backslash;
// `desktopFolder` too, or is empty when the shell named none. A `notice`
// ends whichever message the user sees last (with nothing else to say, it is
// the final message alone). The shortcuts go on the desktop and into the
// Start menu; every file it writes is told to the log (when given) first.
void CompleteInstallation(const std::string& folder, const std::string& desktopFolder,
                          std::string& message, const std::string& notice = {},
                          SetupLog* log = nullptr);

// True when the maker's menu program (krmenu.exe) is a file in the folder's
// parent; never looked for in a drive's root folder.
bool MenuProgramPresent(const std::string& folder);
