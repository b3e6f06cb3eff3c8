#include "integration/dosbox_shortcuts.h"

#include <vector>

#include "app/dosbox_path.h"
#include "app/message_boxes.h"
#include "integration/dosbox_config.h"
#include "integration/shell_link.h"
#include "platform/platform.h"
#include "util/format.h"
#include "util/path_helpers.h"

namespace {

constexpr char kProductName[] = "Tessaly";
constexpr char kIconFile[] = "tesicon.ico";
constexpr std::uint16_t kPrintHotKey = 0x0650;  // CTRL+ALT+P

void DeleteIfPresent(const std::string& path) {
    if (platform::FileExists(path)) {
        platform::RemoveFile(path);  // one that stays is replaced by the save, or reported
    }
}

WriteResult CreateDesktopLink(const std::string& desktopFolder, const std::string& linkFile,
                              const std::string& target, const std::string& arguments,
                              const std::string& description, const std::string& iconFile,
                              std::uint16_t hotKey) {
    if (desktopFolder.empty()) {
        return {false, kNoDesktopFolder};
    }
    return CreateShellLink(linkFile, target, arguments, description, iconFile, 0, hotKey);
}

// What the user is told when a file of the set-up is missing: each such file
// with its reason, and how to start the program where the launcher works.
std::string IncompleteSetupText(const std::vector<std::string>& unwritten,
                                const std::string& launcherName, bool launcherWorks) {
    std::string text = std::string(kProductName) +
                       " has been installed, but its DOSbox set-up is not complete. "
                       "These files could not be created:\r\n";
    for (const std::string& line : unwritten) {
        text += "\r\n" + line;
    }
    if (launcherWorks) {
        text += "\r\n\r\nClick the " + launcherName + " Icon to start " + kProductName + ".";
    }
    return text;
}

// The box's text after a complete set-up, naming the launcher as its file on
// the desktop is named (without ".lnk"). Its lone CRs and LFs are the text's own.
std::string DosBoxInstructions(const std::string& launcherName) {
    return std::string(
               "Tessaly has been installed and shortcuts created to run it in DOSbox and another "
               "to Print to File F.\r\rClick the ") +
           launcherName + " Icon to start " + kProductName + ".  " + "To print from " +
           kProductName + ", choose \"print to file\" " +
           "and always name it the single letter \"f\".\n\n" +
           "To send the file F to the default printer,\n" + "    click \"Print F\" icon or \r" +
           "    press CTRL+ALT+P.";
}

}  // namespace

bool CreateDosBoxShortcuts(const std::string& folder, const std::string& desktopFolder,
                           const std::string& notice) {
    if (platform::FileExists(folder + "dorn.exe")) {
        return false;  // the host program Corvane is there and starts the product itself
    }
    const WriteResult config = WriteDosBoxConfig(folder + "dornw.exe");

    const std::string launcherName = CapitalizeWords(LowerBaseName(kIconFile)) + " DOSbox";
    const std::string launcherArguments =
        "-noconsole -conf " + DosBoxArgumentPath(folder + "dosbox.conf");
    const std::string iconFile = folder + kIconFile;
    const std::string launcherFile = desktopFolder + launcherName + ".lnk";
    const std::string printFile = desktopFolder + "Print F.lnk";
    if (!desktopFolder.empty()) {  // bare names would point into the current folder
        DeleteIfPresent(launcherFile);
        DeleteIfPresent(printFile);
    }

    WriteResult launcher;
    WriteResult print;
    {
        // Nested in the start-up's apartment; closed also when a link raises.
        platform::ComApartment com;
        launcher = CreateDesktopLink(desktopFolder, launcherFile, DosBoxPath, launcherArguments,
                                     kProductName, iconFile, 0);
        print = CreateDesktopLink(desktopFolder, printFile, folder + "pr32.exe", "f",
                                  "Print File f (CTRL+ALT+P)", iconFile, kPrintHotKey);
    }

    std::vector<std::string> unwritten;
    if (!config.written) {
        unwritten.push_back(UnwrittenFileText(folder + "dosbox.conf", config));
    }
    if (!launcher.written) {
        unwritten.push_back(UnwrittenFileText(launcherFile, launcher));
    }
    if (!print.written) {
        unwritten.push_back(UnwrittenFileText(printFile, print));
    }
    std::string text = unwritten.empty() ? DosBoxInstructions(launcherName)
                                         : IncompleteSetupText(unwritten, launcherName,
                                                               config.written && launcher.written);
    AppendParagraph(text, notice);
    ShowMessageText(text);
    return true;
}
