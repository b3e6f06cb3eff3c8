#include "uninstall/uninstall_messages.h"

#include <vector>

#include "platform/platform.h"
#include "util/format.h"
#include "util/product.h"

namespace {

// A long list names its first entries and counts the rest.
constexpr std::size_t kListedAtMost = 10;

void AppendList(std::string& text, const std::vector<std::string>& names) {
    for (std::size_t i = 0; i < names.size() && i < kListedAtMost; ++i) {
        text += "\r\n    " + names[i];
    }
    if (names.size() > kListedAtMost) {
        text += Format("\r\n    ... and %d more", {static_cast<int>(names.size() - kListedAtMost)});
    }
}

}  // namespace

std::string RemovalQuestion(const std::string& folder) {
    return Format(
        "Remove Tessaly %s from %s?\r\n\r\nThe program's files and the shortcuts the installer "
        "made will be removed. Files that you or Tessaly changed or made in the folder, such as "
        "your draws, stay where they are.",
        {kProductVersion, folder});
}

std::string UnreachableQuestion(const std::string& folder) {
    return Format(
        "Tessaly's folder %s cannot be reached: its drive is not there, or holds another disk. "
        "If it is on a flash drive or a network drive, connect it and uninstall Tessaly "
        "again.\r\n\r\nRemove only Tessaly's shortcuts and its entry in the list of installed "
        "programs? The files in the folder stay where they are.",
        {folder});
}

std::string RemovalMessage(const RemovalReport& report, const std::string& folder) {
    std::string text;
    if (!report.complete()) {
        text = "Tessaly was not removed completely. These could not be removed:";
        for (const RemovalReport::Fault& fault : report.faults) {
            const std::string reason = fault.errorCode != 0
                                           ? platform::SystemErrorText(fault.errorCode)
                                           : "The system gave no reason.";
            text += "\r\n    " + fault.path + "\r\n        " + reason;
        }
    } else if (report.folderUnreachable) {
        text = Format(
            "Tessaly's shortcuts and its entry in the list of installed programs were removed. "
            "Its files in %s were not touched, since the folder could not be reached.",
            {folder});
    } else if (report.folderMissing) {
        text = Format(
            "Tessaly was removed. Its folder %s was not there any more, so its shortcuts and its "
            "entry in the list of installed programs were removed.",
            {folder});
    } else {
        text = Format("Tessaly was removed from %s.", {folder});
    }
    if (!report.keptFiles.empty()) {
        std::string kept = Format(
            "These were kept in %s, because they were changed or made after the installation:",
            {folder});
        AppendList(kept, report.keptFiles);
        AppendParagraph(text, kept);
    }
    if (report.folderIsLink) {
        AppendParagraph(text, Format("The folder %s stays, since it is a link to another folder: "
                                     "what was Tessaly's in that folder was removed.",
                                     {folder}));
    }
    if (!report.keptShortcuts.empty()) {
        std::string kept =
            "These shortcuts were kept, because they were changed after the "
            "installation:";
        AppendList(kept, report.keptShortcuts);
        AppendParagraph(text, kept);
    }
    if (!report.complete()) {
        AppendParagraph(text,
                        "Close Tessaly and DOSbox, then uninstall Tessaly again: it stays in the "
                        "list of installed programs until all of it is gone.");
    }
    return text;
}

std::string NothingRemovedMessage(const std::string& reason) {
    return "Tessaly could not be removed, and nothing was changed:\r\n\r\n" + reason;
}

std::string AnotherRunMessage() {
    return "Tessaly is being installed or uninstalled in this folder right now, and nothing "
           "was changed. Wait until that has finished, then uninstall Tessaly again.";
}

std::string CopyEndedMessage(const std::string& tempFolder) {
    return Format(
        "The uninstaller's copy in %s ended before it said what it had done, so some of "
        "Tessaly may have been removed already. If Tessaly is still in the list of installed "
        "programs, uninstall it again: that finishes what is left.",
        {tempFolder});
}
