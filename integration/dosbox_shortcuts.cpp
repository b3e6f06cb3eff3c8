#include "integration/dosbox_shortcuts.h"

#include <vector>

#include "integration/dos_folder.h"
#include "integration/dosbox_config.h"
#include "integration/dosbox_search.h"
#include "integration/program_shortcuts.h"
#include "integration/shell_link.h"
#include "messages/message_boxes.h"
#include "platform/platform.h"
#include "util/format.h"
#include "util/path_helpers.h"
#include "util/product.h"

namespace {

constexpr char kIconFile[] = "tesicon.ico";
constexpr std::uint16_t kPrintHotKey = 0x0650;  // CTRL+ALT+P

void DeleteIfPresent(const std::string& path) {
    if (platform::FileExists(path)) {
        platform::RemoveFile(path);  // one that stays is replaced by the save, or reported
    }
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
                           const std::string& notice, SetupLog* log) {
    if (platform::FileExists(folder + "dorn.exe")) {
        return false;  // the host program Corvane is there and starts the product itself
    }
    const std::string programPath = folder + "dornw.exe";
    const WriteResult logged =
        log != nullptr ? log->ConfigWillBeWritten(programPath) : WriteResult{};
    const WriteResult config =
        logged.written ? WriteDosBoxConfig(programPath) : NotRecorded(logged);

    const std::string launcherName = CapitalizeWords(LowerBaseName(kIconFile)) + " DOSbox";
    const std::string launcherFileName = launcherName + ".lnk";
    const std::string printFileName = "Print F.lnk";
    const std::string iconFile = folder + kIconFile;
    // DOSBox takes its command line in the ANSI code page, as it takes the
    // mount line (dos_folder.h).
    const std::string dosFolder = AddBackslash(DosFolderPath(folder).value_or(folder));
    if (!desktopFolder.empty()) {  // bare names would point into the current folder
        DeleteIfPresent(desktopFolder + launcherFileName);
        DeleteIfPresent(desktopFolder + printFileName);
    }
    if (const std::string startMenu = StartMenuFolder(); !startMenu.empty()) {
        DeleteIfPresent(startMenu + launcherFileName);
        DeleteIfPresent(startMenu + printFileName);
    }

    ShortcutCopies launcher;
    ShortcutCopies print;
    {
        // Nested in the start-up's apartment; closed also when a link raises.
        platform::ComApartment com;
        launcher = PlaceShortcut(
            desktopFolder, launcherFileName,
            {DosBoxPath, "-noconsole -conf " + DosBoxArgumentPath(dosFolder + "dosbox.conf"),
             kProductName, iconFile, 0, 0},
            log);
        print = PlaceShortcut(
            desktopFolder, printFileName,
            {folder + "pr32.exe", "f", "Print File f (CTRL+ALT+P)", iconFile, 0, kPrintHotKey},
            log);
    }

    std::vector<std::string> unwritten;
    if (!config.written) {
        unwritten.push_back(UnwrittenFileText(folder + "dosbox.conf", config));
    }
    for (const ShortcutCopies* copies : {&launcher, &print}) {
        if (!copies->desktop.written) {
            unwritten.push_back(UnwrittenFileText(copies->desktopFile, copies->desktop));
        }
    }
    for (const ShortcutCopies* copies : {&launcher, &print}) {
        if (!copies->startMenu.written) {
            unwritten.push_back(UnwrittenFileText(copies->startMenuFile, copies->startMenu));
        }
    }
    std::string text = unwritten.empty()
                           ? DosBoxInstructions(launcherName)
                           : IncompleteSetupText(unwritten, launcherName,
                                                 config.written && launcher.desktop.written);
    AppendParagraph(text, notice);
    ShowMessageText(text);
    return true;
}
