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

bool HeldByAnother(const platform::ShellLinkValues& values, const std::string& path,
                   const std::vector<PlacedShortcut>& othersShortcuts) {
    return std::any_of(
        othersShortcuts.begin(), othersShortcuts.end(), [&](const PlacedShortcut& other) {
            return SamePath(other.linkFile, path) && HoldsWhatWasWritten(values, other.values);
        });
}

void RemoveShortcut(const PlacedShortcut& shortcut,
                    const std::vector<PlacedShortcut>& othersShortcuts, RemovalReport& report) {
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
    if (link.notAShortcut) {
        report.keptShortcuts.push_back(path);
        return;
    }
    if (!link.values) {
        // Whether it is still ours is not known: it is not the user's either.
        report.faults.push_back({path, static_cast<std::uint32_t>(link.result)});
        return;
    }
    if (!HoldsWhatWasWritten(*link.values, shortcut.values)) {
        if (!HeldByAnother(*link.values, path, othersShortcuts)) {
            report.keptShortcuts.push_back(path);
        }
        return;
    }
    switch (platform::RemoveFileIfContentIs(path, *bytes)) {
        case Removal::Removed:
        case Removal::Missing:
            return;
        case Removal::Different:
            report.keptShortcuts.push_back(path);
            return;
        case Removal::Failed:
            report.faults.push_back({path, platform::LastErrorCode()});
            return;
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

FolderState StateOfFolder(const InstallRecord& record) {
    const std::string root = RootPart(record.folder);
    const auto volume = platform::VolumeSerialOf(root);
    if (!volume || (record.volume && *record.volume != *volume)) {
        return FolderState::Unreachable;
    }
    if (FolderExists(record.folder)) {
        return FolderState::Present;
    }
    // A fixed drive that is there and no folder: deleted. Elsewhere the
    // folder may only be out of reach (a card reader whose medium changed,
    // a share that points elsewhere now).
    return platform::DriveTypeOf(root) == platform::DriveType::Fixed ? FolderState::Deleted
                                                                     : FolderState::Unreachable;
}

bool RecordIsOwn(const InstallRecord& record, const std::string& key) {
    if (!SamePath(record.entryKey, key)) {
        return false;
    }
    const std::string desktop = GetSpecialFolderPath(platform::kCsidlDesktop);
    const std::string startMenu = StartMenuFolder();
    return std::all_of(record.shortcuts.begin(), record.shortcuts.end(),
                       [&](const PlacedShortcut& shortcut) {
                           const std::string folder = FolderPart(shortcut.linkFile);
                           return LowerAscii(shortcut.linkFile).ends_with(".lnk") &&
                                  ((!desktop.empty() && SamePath(folder, desktop)) ||
                                   (!startMenu.empty() && SamePath(folder, startMenu)));
                       });
}

std::vector<PlacedShortcut> ShortcutsOfOtherEntries(const std::string& key) {
    std::vector<PlacedShortcut> shortcuts;
    const std::string own = UninstallerFolder(key);
    if (own.empty()) {
        return shortcuts;
    }
    const std::string all = FolderPart(StripTrailingBackslashes(own));
    if (auto listing = platform::FindFiles(all + "*.*")) {
        while (const auto entry = listing->Next()) {
            if (entry->name == "." || entry->name == ".." || SamePath(entry->name, key) ||
                !(entry->attributes & platform::kAttributeDirectory)) {
                continue;
            }
            const auto text = platform::ReadWholeFile(all + entry->name + "\\" + kRecordName);
            const auto record = text ? InstallRecord::Parse(*text) : std::nullopt;
            if (record && RecordIsOwn(*record, entry->name)) {
                shortcuts.insert(shortcuts.end(), record->shortcuts.begin(),
                                 record->shortcuts.end());
            }
        }
    }
    return shortcuts;
}

RemovalReport RemoveInstallation(const InstallRecord& record, const PayloadFiles& payload,
                                 const std::vector<PlacedShortcut>& othersShortcuts,
                                 bool folderReachable) {
    RemovalReport report;
    const std::string folder = AddBackslash(record.folder);
    report.folderUnreachable = !folderReachable;
    report.folderMissing = folderReachable && !FolderExists(folder);
    const bool present = folderReachable && !report.folderMissing;
    if (present) {
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
        RemoveShortcut(shortcut, othersShortcuts, report);
    }
    if (const std::string startMenu = StartMenuFolder(); !startMenu.empty()) {
        platform::RemoveFolder(StripTrailingBackslashes(startMenu));  // only when empty
    }
    // A drive's root folder is never removed, nor what else lies in it
    // listed; a junction is never removed as if it were the folder: what
    // its target holds is named instead.
    const bool root = RootPart(folder) == folder;
    // Asked without the trailing backslash, which would go through the link.
    report.folderIsLink = present && (platform::FileAttributesOf(StripTrailingBackslashes(folder)) &
                                      platform::kAttributeReparsePoint);
    if (present && !root &&
        (report.folderIsLink || !platform::RemoveFolder(StripTrailingBackslashes(folder)))) {
        ListWhatStays(folder, report);
    }
    return report;
}

void RemoveRegistration(const InstallRecord& record, const std::string& uninstallerFolder,
                        RemovalReport& report) {
    const std::string recordFile = uninstallerFolder + kRecordName;
    const auto bytes = platform::ReadWholeFile(recordFile);
    if (bytes ? platform::RemoveFileIfContentIs(recordFile, *bytes) != Removal::Removed
              : platform::FileExists(recordFile)) {
        report.faults.push_back({recordFile, platform::LastErrorCode()});
        return;
    }
    if (!DeleteEntry(record.entryKey)) {
        report.faults.push_back(
            {"HKEY_CURRENT_USER\\" + std::string(kUninstallKeys) + "\\" + record.entryKey,
             platform::LastErrorCode()});
        if (bytes) {
            WriteStringToFile(recordFile, *bytes);  // the entry stays: so does what it runs
        }
    }
}

bool RemoveEmptyUninstallerFolders(const std::string& uninstallerFolder) {
    const std::string own = StripTrailingBackslashes(uninstallerFolder);
    if (platform::RemoveFolder(own)) {
        platform::RemoveFolder(StripTrailingBackslashes(FolderPart(own)));  // only when empty
        return true;
    }
    const std::uint32_t error = platform::LastErrorCode();
    const std::string folder = AddBackslash(own);
    const bool oursStays = platform::FileExists(folder + kUninstallerName) ||
                           platform::FileExists(folder + kRecordName);
    platform::SetLastErrorCode(error);
    return !oursStays;
}
