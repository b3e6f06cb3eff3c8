#include "uninstall/uninstall_entry.h"

#include <string>

#include "platform/platform.h"
#include "util/format.h"
#include "util/path_helpers.h"
#include "util/product.h"
#include "util/shell_helpers.h"

namespace {

using platform::RegistryRoot;

constexpr char kKeyBase[] = "Vantrel Tessaly";
// From the installer's own texts: "Vantrel Tessaly", "Version 3.24".
constexpr char kPublisher[] = "Vantrel";
constexpr std::uint32_t kMajorVersion = 3;
constexpr std::uint32_t kMinorVersion = 24;

std::string KeyPath(const std::string& key) {
    return std::string(kUninstallKeys) + "\\" + key;
}

bool NamesFolder(const std::string& key, const std::string& folder) {
    const auto location =
        platform::RegistryString(RegistryRoot::CurrentUser, KeyPath(key), "InstallLocation");
    return location && SamePath(*location, folder);
}

// A name is in use while an entry or an uninstaller folder has it: a folder
// left by an uninstall that could not finish still holds another record.
bool KeyInUse(const std::string& key) {
    for (const std::string& known :
         platform::RegistrySubkeys(RegistryRoot::CurrentUser, kUninstallKeys)) {
        if (SamePath(known, key)) {
            return true;
        }
    }
    const std::string folder = UninstallerFolder(key);
    return !folder.empty() && platform::FileAttributesOf(folder) != platform::kInvalidAttributes;
}

bool IsOurKey(const std::string& name) {
    const std::string base = LowerAscii(kKeyBase);
    const std::string lower = LowerAscii(name);
    return lower == base || lower.rfind(base + " ", 0) == 0;
}

// YYYYMMDD, as Apps & Features reads InstallDate.
std::string EightDigitDate() {
    const platform::LocalDate today = platform::Today();
    const int number = today.year * 10000 + today.month * 100 + today.day;
    std::string text = std::to_string(number);
    return std::string(text.size() < 8 ? 8 - text.size() : 0, '0') + text;
}

}  // namespace

std::string UninstallerFolder(const std::string& key) {
    const std::string local = GetSpecialFolderPath(platform::kCsidlLocalAppData);
    return local.empty() ? std::string() : AddBackslash(local) + "Tessaly\\" + key + "\\";
}

EntryKey FindEntryKey(const std::string& folder) {
    for (const std::string& name :
         platform::RegistrySubkeys(RegistryRoot::CurrentUser, kUninstallKeys)) {
        if (IsOurKey(name) && NamesFolder(name, folder)) {
            return {name, true};
        }
    }
    for (int number = 1;; ++number) {
        const std::string name = number == 1 ? std::string(kKeyBase)
                                             : std::string(kKeyBase) + " " + std::to_string(number);
        if (!KeyInUse(name)) {
            return {name, false};
        }
    }
}

std::string EntryDisplayName(const std::string& folder) {
    const std::string shown = folder.size() > 3 ? StripTrailingBackslashes(folder) : folder;
    return Format("%s %s (%s)", {kKeyBase, kProductVersion, shown});
}

bool WriteEntry(const std::string& key, const EntryValues& values) {
    const std::string path = KeyPath(key);
    const std::string command = "\"" + values.uninstaller + "\" " + kUninstallSwitch;
    const auto text = [&](const char* name, const std::string& value) {
        return platform::SetRegistryString(RegistryRoot::CurrentUser, path, name, value);
    };
    const auto number = [&](const char* name, std::uint32_t value) {
        return platform::SetRegistryNumber(RegistryRoot::CurrentUser, path, name, value);
    };
    return text("DisplayName", EntryDisplayName(values.folder)) &&
           text("DisplayVersion", kProductVersion) && text("Publisher", kPublisher) &&
           text("InstallLocation", AddBackslash(values.folder)) &&
           text("DisplayIcon", AddBackslash(values.folder) + "tesicon.ico") &&
           text("UninstallString", command) &&
           text("QuietUninstallString", command + " " + kQuietSwitch) &&
           number("EstimatedSize", values.estimatedKilobytes) &&
           text("InstallDate", EightDigitDate()) && number("MajorVersion", kMajorVersion) &&
           number("MinorVersion", kMinorVersion) && number("VersionMajor", kMajorVersion) &&
           number("VersionMinor", kMinorVersion) && number("NoModify", 1) && number("NoRepair", 1);
}

bool DeleteEntry(const std::string& key) {
    return platform::DeleteRegistryKey(RegistryRoot::CurrentUser, KeyPath(key));
}

std::unique_ptr<platform::SessionLock> LockEntry(const std::string& key) {
    return platform::TrySessionLock("Tessaly setup, " + key);
}
