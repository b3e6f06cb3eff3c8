#pragma once

#include <string>

#include "integration/setup_log.h"
#include "integration/shortcut.h"
#include "integration/write_result.h"

// The folder of the program's shortcuts in the user's own Start menu
// ('...\Start Menu\Programs\Tessaly\'), or empty when the shell names no
// Programs folder.
std::string StartMenuFolder();

// What became of both copies of one shortcut.
struct ShortcutCopies {
    std::string desktopFile;
    WriteResult desktop;
    std::string startMenuFile;
    WriteResult startMenu;
};

// Writes the shortcut `fileName` ("Print F.lnk") on the desktop and, with the
// same values, in the Start menu folder, which is made when missing; each
// replaces a file of that name. Each copy is told to the log first (when
// there is one); a copy the log cannot take is not written. A folder the
// shell did not name gets no copy, with that as the reason. `desktopFolder`
// ends with a backslash or is empty. COM must be initialised.
ShortcutCopies PlaceShortcut(const std::string& desktopFolder, const std::string& fileName,
                             const Shortcut& values, SetupLog* log);

// The reason a Start menu copy was not written when the shell names no
// Programs folder.
inline constexpr char kNoStartMenuFolder[] = "The shell did not name a Start menu folder";
