#include "install/complete_installation.h"

#include "integration/dosbox_shortcuts.h"
#include "integration/program_shortcuts.h"
#include "integration/shell_link.h"
#include "messages/message_box_mapping.h"
#include "messages/message_boxes.h"
#include "platform/platform.h"
#include "ui/message_box.h"
#include "util/format.h"
#include "util/product.h"
#include "util/shell_helpers.h"

namespace {

constexpr char kShortLabel[] = "T+";
constexpr char kFunctionKey[] = "F5";

// The 32-bit way without Corvane: the shortcut offer, then what to do.
std::string OfferDesktopShortcut(const std::string& folder, const std::string& desktopFolder,
                                 const std::string& successLine, SetupLog* log) {
    const std::string question =
        successLine + "\n\n" +
        Format(
            "Normally %s is run from inside Corvane by pressing the function key, %s. If you "
            "are not \ninstalling Corvane, you need a shortcut on the \ndesktop to run this "
            "wheel program. \n\nClick NO if you do NOT want the %s shortcut created.",
            {kProductName, kFunctionKey, kShortLabel});
    if (MessageDialogTask(question, kDialogWarning, kDialogYes | kDialogNo, 0) != ui::kResultYes) {
        return Format("To run %s, start Corvane and press function key %s.",
                      {kProductName, kFunctionKey});
    }
    const ShortcutCopies link = PlaceShortcut(
        desktopFolder, "tessaly.lnk",
        {folder + "tessaly.exe", "", kProductName, folder + "tesicon.ico", 0, 0}, log);
    std::string message;
    if (!link.desktop.written) {
        // Not announced as on the desktop: the user learns what is missing
        // and starts the program directly, which 32-bit Windows can.
        message =
            Format("The %s shortcut could not be created:\r\n\r\n%s\r\n\r\nTo run %s, start %s.",
                   {kShortLabel, UnwrittenFileText(link.desktopFile, link.desktop), kProductName,
                    folder + "tessaly.exe"});
    } else {
        message =
            Format("To run %s, click the %s icon on your desktop.", {kProductName, kShortLabel});
    }
    if (!link.startMenu.written) {
        AppendParagraph(
            message, Format("The %s shortcut in the Start menu could not be created:\r\n\r\n%s",
                            {kShortLabel, UnwrittenFileText(link.startMenuFile, link.startMenu)}));
    }
    return message;
}

}  // namespace

bool MenuProgramPresent(const std::string& folder) {
    // The parent is found from the folder's last character, or the one
    // before a trailing backslash, back to the previous backslash.
    std::size_t at = folder.size();
    if (at > 0 && folder.back() == '\\') {
        --at;
    }
    std::string parent;
    while (at > 0) {
        --at;
        if (folder[at] == '\\') {
            parent = folder.substr(0, at + 1);
            break;
        }
    }
    if (parent.size() < 4) {
        return false;  // 'C:\' or nothing: the menu program never sits in a root
    }
    return platform::FileExists(parent + "krmenu.exe");
}

void CompleteInstallation(const std::string& folder, const std::string& desktopFolder,
                          std::string& message, const std::string& notice, SetupLog* log) {
    if (MenuProgramPresent(folder)) {
        message +=
            Format("\r\n\r\nTo run %s, start the Vantrel Menu program,\r\nand click the %s icon.",
                   {kProductName, kShortLabel});
    } else if (Is64BitWindows()) {
        message.clear();
        if (CreateDosBoxShortcuts(folder, desktopFolder, notice, log)) {
            return;  // its box carried the notice
        }
    } else {
        const std::string successLine =
            Format("%s, version %s, was installed successfully.", {kProductName, kProductVersion});
        if (platform::FileExists(folder + "dorn.exe")) {
            message = successLine + "\r\n\r\n" +
                      Format("To run %s, first run Corvane, then press the function key %s.",
                             {kProductName, kFunctionKey});
        } else {
            message = OfferDesktopShortcut(folder, desktopFolder, successLine, log);
        }
    }
    AppendParagraph(message, notice);
}
