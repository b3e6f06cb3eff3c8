#include "uninstall/uninstall_command.h"

#include <algorithm>
#include <exception>

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

bool Has(const std::vector<std::string>& arguments, const char* expected) {
    return std::any_of(arguments.begin(), arguments.end(),
                       [&](const std::string& argument) { return SamePath(argument, expected); });
}

// Yes goes on; No, Escape and the close box change nothing.
bool UserAgrees(const std::string& question) {
    ui::MessageBoxSpec box;
    box.caption = kCaption;
    box.text = question;
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

// The record beside the uninstaller, when it can be read and is one this
// program wrote for that entry; otherwise says why (unless quiet).
std::optional<InstallRecord> ReadRecord(const std::string& uninstallerFolder,
                                        const std::string& key, bool quiet) {
    const std::string recordFile = uninstallerFolder + kRecordName;
    const auto text = platform::ReadWholeFile(recordFile);
    auto record = text ? InstallRecord::Parse(*text) : std::nullopt;
    if (!record || !RecordIsOwn(*record, key)) {
        const std::string reason = text ? "The record " + recordFile + " is damaged."
                                        : "The record " + recordFile + " cannot be read: " +
                                              platform::SystemErrorText(platform::LastErrorCode());
        Tell(quiet, NothingRemovedMessage(reason), ui::BoxIcon::Error);
        return std::nullopt;
    }
    return record;
}

// The uninstall proper, in the copy: the record beside the original, the
// question, the removal, the registration, the answer.
Outcome Uninstall(const std::string& uninstallerFolder, const std::string& key, bool quiet) {
    auto record = ReadRecord(uninstallerFolder, key, quiet);
    if (!record) {
        return {kUninstallNoRecord};
    }
    const bool reachable = StateOfFolder(*record) != FolderState::Unreachable;
    if (!reachable && quiet) {
        return {kUninstallUnreachable};
    }
    if (!quiet && !UserAgrees(reachable ? RemovalQuestion(record->folder)
                                        : UnreachableQuestion(record->folder))) {
        return {kUninstallDeclined};
    }
    // What the question was about may have been added to while it was open.
    record = ReadRecord(uninstallerFolder, key, quiet);
    if (!record) {
        return {kUninstallNoRecord};
    }
    PayloadFiles payload;
    try {
        payload = LoadPayloadFiles();
    } catch (const std::exception& error) {
        Tell(quiet, NothingRemovedMessage(error.what()), ui::BoxIcon::Error);
        return {kUninstallNoRecord};
    }
    platform::ComApartment com;  // the shortcuts are read back through the shell
    RemovalReport report =
        RemoveInstallation(*record, payload, ShortcutsOfOtherEntries(key), reachable);
    Outcome outcome{kUninstallIncomplete};
    if (report.complete()) {
        RemoveRegistration(*record, uninstallerFolder, report);
    }
    if (report.complete()) {
        outcome = {reachable ? kUninstallDone : kUninstallEntryOnly, true,
                   platform::MoveOriginalAside()};
        if (outcome.movedAside && !RemoveEmptyUninstallerFolders(uninstallerFolder)) {
            report.faults.push_back(
                {StripTrailingBackslashes(uninstallerFolder), platform::LastErrorCode()});
            outcome.code = kUninstallIncomplete;
        }
    }
    Tell(quiet, RemovalMessage(report, record->folder),
         report.complete() ? ui::BoxIcon::Information : ui::BoxIcon::Warning);
    return outcome;
}

}  // namespace

std::optional<int> RunUninstallCommand(const std::vector<std::string>& arguments) {
    const bool quiet = Has(arguments, kQuietSwitch);
    if (Has(arguments, platform::kTemporaryCopySwitch)) {
        const auto original = platform::OriginalExecutable();
        if (!original) {
            return kUninstallNoTemporaryCopy;  // not from our own hand-off: nobody waits
        }
        const std::string folder = FolderPart(*original);
        const std::string key = FileNamePart(StripTrailingBackslashes(folder));
        // Held to the very end, the original's file deleted included: no
        // installation into the folder may run meanwhile, nor a second uninstall.
        const auto lock = LockEntry(key);
        Outcome outcome{kUninstallBusy};
        if (!lock) {
            Tell(quiet, AnotherRunMessage(), ui::BoxIcon::Warning);
        } else {
            try {
                outcome = Uninstall(folder, key, quiet);
            } catch (const std::exception& error) {
                outcome = {kUninstallIncomplete};
                Tell(quiet, error.what(), ui::BoxIcon::Error);
            }
        }
        // The original ends here; only then may its file go.
        if (platform::HandBack(outcome.code, outcome.complete) && !outcome.movedAside) {
            RemoveEmptyUninstallerFolders(folder);
        }
        return outcome.code;
    }
    if (!Has(arguments, kUninstallSwitch)) {
        return std::nullopt;
    }
    const platform::TemporaryCopyRun run = platform::RunTemporaryCopy(quiet ? kQuietSwitch : "");
    switch (run.outcome) {
        case platform::TemporaryCopyRun::Outcome::HandedBack:
            return run.result;
        case platform::TemporaryCopyRun::Outcome::EndedWithoutResult:
            Tell(quiet, CopyEndedMessage(platform::TempFolder()), ui::BoxIcon::Warning);
            return kUninstallCopyEnded;
        case platform::TemporaryCopyRun::Outcome::NotStarted:
            break;
    }
    Tell(quiet,
         NothingRemovedMessage("The uninstaller could not run its copy in " +
                               platform::TempFolder() + ": " +
                               platform::SystemErrorText(platform::LastErrorCode())),
         ui::BoxIcon::Error);
    return kUninstallNoTemporaryCopy;
}
