#include "uninstall/registration.h"

#include "platform/platform.h"
#include "uninstall/uninstall_entry.h"
#include "uninstall/uninstaller.h"
#include "util/ole_error_text.h"
#include "util/path_helpers.h"
#include "util/shell_helpers.h"

namespace {

// The record kept so far for this entry and folder, or a new one.
InstallRecord RecordToExtend(const std::string& recordFile, const std::string& key,
                             const std::string& folder) {
    if (const auto text = platform::ReadWholeFile(recordFile)) {
        if (auto record = InstallRecord::Parse(*text); record && SamePath(record->folder, folder)) {
            record->entryKey = key;
            return *record;
        }
    }
    InstallRecord record;
    record.entryKey = key;
    record.folder = folder;
    return record;
}

// Puts this program's bytes where the uninstaller lives, unless it is that
// very file (the uninstaller started without its switch installs again).
bool CopyProgramTo(const std::string& target, std::uint64_t& size) {
    const std::string self = platform::ExecutablePath();
    const auto bytes = platform::ReadWholeFile(self);
    if (!bytes) {
        return false;
    }
    size = bytes->size();
    if (SamePath(self, target)) {
        return true;
    }
    if (const auto present = platform::ReadWholeFile(target); present && *present == *bytes) {
        return true;
    }
    return WriteStringToFile(target, *bytes);
}

}  // namespace

std::optional<UninstallRegistration> UninstallRegistration::Register(
    const std::string& folder, const std::vector<std::string>& files, std::uint64_t payloadBytes,
    Fault& fault) {
    const EntryKey key = FindEntryKey(folder);
    auto lock = LockEntry(key.name);
    if (!lock) {
        fault = {folder, 0, true};
        return std::nullopt;
    }
    std::string uninstallerFolder = UninstallerFolder(key.name);
    if (uninstallerFolder.empty()) {
        fault = {"the uninstaller's folder", platform::errors::kErrorPathNotFound};
        return std::nullopt;
    }
    if (!CreateInstallFolder(uninstallerFolder)) {
        fault = {uninstallerFolder, platform::LastErrorCode()};
        return std::nullopt;
    }
    InstallRecord record = RecordToExtend(uninstallerFolder + kRecordName, key.name, folder);
    for (const std::string& name : files) {
        record.AddFile(name);
    }
    // Tells a folder that cannot be reached later from one deleted by hand.
    record.volume = platform::VolumeSerialOf(RootPart(folder));
    UninstallRegistration registration(std::move(record), uninstallerFolder, key.existing,
                                       std::move(lock));

    const std::string uninstaller = uninstallerFolder + kUninstallerName;
    std::uint64_t programBytes = 0;
    const auto fail = [&](const std::string& what) {
        fault = {what, platform::LastErrorCode()};
        registration.Withdraw();
        return std::nullopt;
    };
    // The program first: an uninstaller of an earlier version, which cannot
    // read the record this one writes, never stays beside it.
    if (!CopyProgramTo(uninstaller, programBytes)) {
        return fail(uninstaller);
    }
    if (!registration.SaveRecord().written) {
        return fail(uninstallerFolder + kRecordName);
    }
    const std::uint64_t kilobytes = (payloadBytes + programBytes + 1023) / 1024;
    if (!WriteEntry(key.name, {folder, uninstaller, static_cast<std::uint32_t>(kilobytes)})) {
        return fail("HKEY_CURRENT_USER\\" + std::string(kUninstallKeys) + "\\" + key.name);
    }
    return registration;
}

WriteResult UninstallRegistration::SaveRecord() {
    if (!WriteStringToFile(uninstallerFolder_ + kRecordName, record_.Serialise())) {
        return {false, OleErrorText(HresultFromWin32(platform::LastErrorCode()))};
    }
    return {};
}

WriteResult UninstallRegistration::ConfigWillBeWritten(const std::string& programPath) {
    record_.config = programPath;
    return SaveRecord();
}

WriteResult UninstallRegistration::ShortcutWillBeWritten(const PlacedShortcut& shortcut) {
    record_.AddShortcut(shortcut);
    return SaveRecord();
}

void UninstallRegistration::WithdrawIfNothingLanded(bool anythingLanded) {
    if (!anythingLanded) {
        Withdraw();
    }
}

void UninstallRegistration::Withdraw() {
    if (existing_) {
        return;  // an earlier run's files may still be there
    }
    DeleteEntry(record_.entryKey);
    platform::RemoveFile(uninstallerFolder_ + kUninstallerName);
    platform::RemoveFile(uninstallerFolder_ + kRecordName);
    RemoveEmptyUninstallerFolders(uninstallerFolder_);
}
