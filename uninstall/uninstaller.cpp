#include "uninstall/uninstaller.h"

#include <algorithm>

#include "install/payload_items.h"
#include "install/payload_loader.h"
#include "integration/dosbox_config.h"
#include "integration/program_shortcuts.h"
#include "integration/shell_link.h"
#include "platform/platform.h"
#include "uninstall/uninstall_entry.h"
#include "util/path_helpers.h"
#include "util/shell_helpers.h"

namespace {

using platform::Removal;

// Removes one file if it holds `contents`; a failure is a fault, a file
// that is not as written stays for the listing of what was kept.
void RemoveIfAsWritten(const std::string& path, const std::string& contents,
                       RemovalReport& report) {
    if (platform::RemoveFileIfContentIs(path, contents) == Removal::Failed) {
        report.faults.push_back({path, platform::LastErrorCode()});
    }
}

void RemoveShortcut(const PlacedShortcut& shortcut, RemovalReport& report) {
    const std::string& path = shortcut.linkFile;
    if (!platform::FileExists(path)) {
        return;
    }
    // The bytes read first are the ones deleted: a link changed between the
    // reading and the delete stays.
    const auto bytes = platform::ReadWholeFile(path);
    if (!bytes) {
        report.faults.push_back({path, platform::LastErrorCode()});
        return;
    }
    const ReadLink link = ReadShellLink(path);
    if (!link.values || !HoldsWhatWasWritten(*link.values, shortcut.values)) {
        report.keptShortcuts.push_back(path);
        return;
    }
    if (platform::RemoveFileIfContentIs(path, *bytes) != Removal::Removed) {
        report.faults.push_back({path, platform::LastErrorCode()});
    }
}

void ListWhatStays(const std::string& folder, RemovalReport& report) {
    if (auto listing = platform::FindFiles(folder + "*.*")) {
        while (const auto entry = listing->Next()) {
            if (entry->name == "." || entry->name == "..") {
                continue;
            }
            // A file of ours that could not go is named among the faults, not here.
            const auto failed = [&](const RemovalReport::Fault& fault) {
                return SamePath(fault.path, folder + entry->name);
            };
            if (std::any_of(report.faults.begin(), report.faults.end(), failed)) {
                continue;
            }
            const bool isFolder = entry->attributes & platform::kAttributeDirectory;
            report.keptFiles.push_back(entry->name + (isFolder ? "\\" : ""));
        }
    }
}

}  // namespace

PayloadFiles LoadPayloadFiles() {
    PayloadFiles files;
    std::string list(kPayloadItemList);
    while (!list.empty()) {
        std::string name;
        SplitFirst(list, ",", name);
        tInstItem item = LoadPayloadItem(name);
        files[LowerAscii(item.FileName)] = std::move(item.Contents);
    }
    return files;
}

RemovalReport RemoveInstallation(const InstallRecord& record, const PayloadFiles& payload) {
    RemovalReport report;
    const std::string folder = AddBackslash(record.folder);
    report.folderMissing = !FolderExists(folder);
    if (!report.folderMissing) {
        for (const std::string& name : record.files) {
            // Only the payload's own names, and only inside the folder.
            const std::string* installed = payload.Find(LowerAscii(name));
            if (installed != nullptr && FileNamePart(name) == name) {
                RemoveIfAsWritten(folder + name, *installed, report);
            }
        }
        if (record.config && SamePath(FolderPart(*record.config), folder)) {
            RemoveIfAsWritten(folder + "dosbox.conf", DosBoxConfigText(*record.config), report);
        }
    }
    for (const PlacedShortcut& shortcut : record.shortcuts) {
        RemoveShortcut(shortcut, report);
    }
    if (const std::string startMenu = StartMenuFolder(); !startMenu.empty()) {
        platform::RemoveFolder(StripTrailingBackslashes(startMenu));  // only when empty
    }
    // A drive's root folder is never removed, nor what else lies in it listed.
    const bool root = RootPart(folder) == folder;
    if (!report.folderMissing && !root &&
        !platform::RemoveFolder(StripTrailingBackslashes(folder))) {
        ListWhatStays(folder, report);
    }
    return report;
}

void RemoveRegistration(const InstallRecord& record, const std::string& uninstallerFolder,
                        RemovalReport& report) {
    if (!DeleteEntry(record.entryKey)) {
        report.faults.push_back(
            {"HKEY_CURRENT_USER\\" + std::string(kUninstallKeys) + "\\" + record.entryKey,
             platform::LastErrorCode()});
        return;
    }
    platform::RemoveFile(uninstallerFolder + kRecordName);
}

void RemoveEmptyUninstallerFolders(const std::string& uninstallerFolder) {
    const std::string own = StripTrailingBackslashes(uninstallerFolder);
    platform::RemoveFolder(own);
    platform::RemoveFolder(StripTrailingBackslashes(FolderPart(own)));
}
