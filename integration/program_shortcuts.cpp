#include "integration/program_shortcuts.h"

#include "integration/shell_link.h"
#include "platform/platform.h"
#include "util/path_helpers.h"
#include "util/product.h"
#include "util/shell_helpers.h"

namespace {

constexpr const char* kStartMenuSubfolder = kProductName;

// One copy: told to the log, then written.
WriteResult PlaceCopy(const std::string& linkFile, const Shortcut& values, SetupLog* log) {
    const PlacedShortcut placed{linkFile, values};
    if (log != nullptr) {
        const WriteResult logged = log->ShortcutWillBeWritten(placed);
        if (!logged.written) {
            return NotRecorded(logged);
        }
    }
    return CreateShellLink(placed);
}

}  // namespace

std::string StartMenuFolder() {
    const std::string programs = GetSpecialFolderPath(platform::kCsidlPrograms);
    return programs.empty() ? std::string() : AddBackslash(programs) + kStartMenuSubfolder + "\\";
}

ShortcutCopies PlaceShortcut(const std::string& desktopFolder, const std::string& fileName,
                             const Shortcut& values, SetupLog* log) {
    ShortcutCopies copies;
    if (desktopFolder.empty()) {
        // A bare name would land in whatever the current folder is.
        copies.desktopFile = fileName;
        copies.desktop = {false, kNoDesktopFolder};
    } else {
        copies.desktopFile = desktopFolder + fileName;
        copies.desktop = PlaceCopy(copies.desktopFile, values, log);
    }
    const std::string startMenu = StartMenuFolder();
    if (startMenu.empty()) {
        copies.startMenuFile = fileName;
        copies.startMenu = {false, kNoStartMenuFolder};
        return copies;
    }
    copies.startMenuFile = startMenu + fileName;
    if (!FolderExists(startMenu)) {
        platform::MakeDirectory(
            StripTrailingBackslashes(startMenu));  // a failure shows in the save
    }
    copies.startMenu = PlaceCopy(copies.startMenuFile, values, log);
    return copies;
}
