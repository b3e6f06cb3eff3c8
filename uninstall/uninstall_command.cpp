#include "uninstall/uninstall_command.h"

#include <algorithm>
#include <exception>

#include "messages/message_boxes.h"
#include "platform/platform.h"
#include "ui/message_box.h"
#include "uninstall/install_record.h"
#include "uninstall/uninstall_entry.h"
#include "uninstall/uninstall_messages.h"
#include "uninstall/uninstaller.h"
#include "util/path_helpers.h"
#include "util/product.h"

namespace {

constexpr const char* kCaption = kProductName;

bool Is(const std::string& argument, const char* expected) {
    return LowerAscii(argument) == expected;
}

// Yes removes; No, Escape and the close box change nothing.
bool UserAgrees(const std::string& folder) {
    ui::MessageBoxSpec box;
    box.caption = kCaption;
    box.text = RemovalQuestion(folder);
    box.icon = ui::BoxIcon::Question;
    box.standardButtons = ui::kButtonYes | ui::kButtonNo;
    box.defaultButton = ui::kResultYes;
    box.allowCancel = true;
    box.ownWindowEscapeResult = ui::kResultNo;
    return ui::ShowMessageBox(box) == ui::kResultYes;
}

void Tell(bool quiet, const std::string& text, ui::BoxIcon icon = ui::BoxIcon::Information) {
    if (quiet) {
        return;
    }
    ui::MessageBoxSpec box;
    box.caption = kCaption;
    box.text = text;
    box.icon = icon;
    box.standardButtons = ui::kButtonOk;
    ui::ShowMessageBox(box);
}

struct Outcome {
    int code;
    bool complete = false;
    bool movedAside = false;
};

// The uninstall proper, in the copy: the record beside the original, the
// question, the removal, the registration, the answer.
Outcome Uninstall(const std::string& uninstallerFolder, bool quiet) {
    const std::string recordFile = uninstallerFolder + kRecordName;
    const auto text = platform::ReadWholeFile(recordFile);
    const auto record = text ? InstallRecord::Parse(*text) : std::nullopt;
    if (!record) {
        const std::string reason = text ? "The record " + recordFile + " is damaged."
                                        : "The record " + recordFile + " cannot be read: " +
                                              platform::SystemErrorText(platform::LastErrorCode());
        Tell(quiet, NothingRemovedMessage(reason), ui::BoxIcon::Error);
        return {kUninstallNoRecord};
    }
    if (!quiet && !UserAgrees(record->folder)) {
        return {kUninstallDeclined};
    }
    PayloadFiles payload;
    try {
        payload = LoadPayloadFiles();
    } catch (const std::exception& error) {
        Tell(quiet, NothingRemovedMessage(error.what()), ui::BoxIcon::Error);
        return {kUninstallNoRecord};
    }
    platform::ComApartment com;  // the shortcuts are read back through the shell
    RemovalReport report = RemoveInstallation(*record, payload);
    Outcome outcome{kUninstallIncomplete};
    if (report.complete()) {
        RemoveRegistration(*record, uninstallerFolder, report);  // an entry that stays is a fault
    }
    if (report.complete()) {
        outcome = {kUninstallDone, true, platform::MoveOriginalAside()};
        RemoveEmptyUninstallerFolders(uninstallerFolder);
    }
    Tell(quiet, RemovalMessage(report, record->folder),
         report.complete() ? ui::BoxIcon::Information : ui::BoxIcon::Warning);
    return outcome;
}

}  // namespace

std::optional<int> RunUninstallCommand(const std::vector<std::string>& arguments) {
    if (arguments.empty()) {
        return std::nullopt;
    }
    const bool quiet = std::any_of(arguments.begin(), arguments.end(),
                                   [](const std::string& a) { return Is(a, kQuietSwitch); });
    if (Is(arguments[0], kUninstallSwitch)) {
        const auto result = platform::RunTemporaryCopy(quiet ? kQuietSwitch : "");
        if (!result) {
            Tell(quiet,
                 NothingRemovedMessage("The uninstaller could not run its copy in " +
                                       platform::TempFolder() + ": " +
                                       platform::SystemErrorText(platform::LastErrorCode())),
                 ui::BoxIcon::Error);
            return kUninstallNoTemporaryCopy;
        }
        return *result;
    }
    if (Is(arguments[0], platform::kTemporaryCopySwitch)) {
        const auto original = platform::OriginalExecutable();
        if (!original) {
            return kUninstallNoTemporaryCopy;  // the switch typed by hand: no original waits
        }
        const std::string folder = FolderPart(*original);
        Outcome outcome{kUninstallIncomplete};
        try {
            outcome = Uninstall(folder, quiet);
        } catch (const std::exception& error) {
            Tell(quiet, error.what(), ui::BoxIcon::Error);
        }
        // The original ends here; only then may its file go.
        if (platform::HandBack(outcome.code, outcome.complete) && !outcome.movedAside) {
            RemoveEmptyUninstallerFolders(folder);
        }
        return outcome.code;
    }
    return std::nullopt;
}
