#pragma once

#include <optional>
#include <string>

namespace ui {

// Options of the shell's folder browser.
enum BrowseOption : unsigned {
    bifNewDialogStyle = 0x01,    // the resizable new-style dialog
    bifReturnOnlyFSDirs = 0x02,  // only file-system folders can be chosen
};

// What one showing of the folder browser asks for. It starts from the
// desktop (there is no root folder).
struct FolderBrowseRequest {
    std::string dialogText;  // shown above the folder tree
    unsigned options = 0;    // BrowseOption bits
    std::string folder;      // preselected when not empty

    bool operator==(const FolderBrowseRequest&) const = default;
};

// Shows the shell's folder browser modally (the application's other windows
// are disabled meanwhile), centred on the screen, and returns the full path
// of the chosen folder, or nothing when the user cancels. Each backend
// implements it: win32 with the shell's dialog, headless from a script.
std::optional<std::string> BrowseForFolder(const FolderBrowseRequest& request);

// The folder-browser action: holds the request's settings and the folder,
// which a confirmed choice replaces and a cancel leaves as it was.
class TBrowseForFolder {
  public:
    std::string dialogText;
    unsigned options = 0;
    std::string folder;

    // True when the user chose a folder.
    bool Execute() {
        const auto chosen = BrowseForFolder({dialogText, options, folder});
        if (chosen) {
            folder = *chosen;
        }
        return chosen.has_value();
    }
};

}  // namespace ui
