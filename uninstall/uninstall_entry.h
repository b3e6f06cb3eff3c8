#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/platform.h"

// The per-user Apps & Features entry of one install folder, under
// HKEY_CURRENT_USER (no administrator needed; HKCU\Software is the same for
// 32-bit and 64-bit programs), and where its uninstaller lives.

inline constexpr char kUninstallKeys[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
inline constexpr char kUninstallerName[] = "uninstall.exe";
inline constexpr char kRecordName[] = "uninstall.dat";
// The switches of the uninstall commands the entry names.
inline constexpr char kUninstallSwitch[] = "/uninstall";
inline constexpr char kQuietSwitch[] = "/quiet";

// The folder of an entry's uninstaller and record under the user's own
// profile ('...\AppData\Local\Tessaly\<key>\'), where it survives the
// install folder being deleted by hand; empty when the shell names no
// local application data folder.
std::string UninstallerFolder(const std::string& key);

// The entry of an install folder: the one whose InstallLocation names it
// (without regard to case), else the first name that neither an entry nor an
// uninstaller folder uses: "Vantrel Tessaly", "Vantrel Tessaly 2", ...
struct EntryKey {
    std::string name;
    bool existing = false;
};
EntryKey FindEntryKey(const std::string& folder);

// The values an entry carries for its folder (with its trailing backslash).
struct EntryValues {
    std::string folder;
    std::string uninstaller;  // the uninstaller's full path
    std::uint32_t estimatedKilobytes = 0;
};

// Writes every value of the entry; false after the first that fails, with
// the last error code set.
bool WriteEntry(const std::string& key, const EntryValues& values);

// The name Apps & Features lists: the product, its version and the folder,
// so that two installations can be told apart.
std::string EntryDisplayName(const std::string& folder);

// Deletes the entry; true when it is gone.
bool DeleteEntry(const std::string& key);

// The lock that keeps an installation and an uninstall of one entry from
// running at once, held from the installation's registration to its end and
// from before the uninstall's question to its end; nothing while another
// run holds it.
std::unique_ptr<platform::SessionLock> LockEntry(const std::string& key);
