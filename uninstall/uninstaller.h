#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ui/flat_map.h"
#include "uninstall/install_record.h"

// What the uninstaller did, for the one message at the end.
struct RemovalReport {
    struct Fault {
        std::string path;
        std::uint32_t errorCode = 0;  // the system's reason
    };

    bool folderMissing = false;              // the install folder had been deleted already
    std::vector<std::string> keptFiles;      // what stays in the install folder (a folder with '\')
    std::vector<std::string> keptShortcuts;  // shortcuts of ours that the user changed
    std::vector<Fault> faults;               // what is ours and could not be removed

    bool complete() const { return faults.empty(); }
};

// The installed bytes of each payload file, by lower-case file name.
using PayloadFiles = ui::FlatMap<std::string, std::string>;

// The payload this program carries, unpacked. Raises what LoadPayloadItem
// raises.
PayloadFiles LoadPayloadFiles();

// Removes what the record lists, each thing only while it is as it was
// written, and never anything else:
// - a payload file only while its bytes are the payload's;
// - dosbox.conf only while it is what the installer wrote for that folder;
// - a shortcut only while the shell-link object reads back the values it
//   was written with (and the file is still the one read);
// - the Start menu folder and the install folder only when they are empty.
// A file that cannot be read or deleted is a fault; everything else goes on.
// COM must be initialised.
RemovalReport RemoveInstallation(const InstallRecord& record, const PayloadFiles& payload);

// After a complete removal: the entry, then the record and the uninstaller's
// folders. The uninstaller's own file is the caller's (it may be running);
// `uninstallerFolder` ends with a backslash. Adds a fault for an entry that
// cannot be deleted, and then keeps the uninstaller.
void RemoveRegistration(const InstallRecord& record, const std::string& uninstallerFolder,
                        RemovalReport& report);

// Removes the uninstaller's folder and the Tessaly folder above it, each
// only when empty.
void RemoveEmptyUninstallerFolders(const std::string& uninstallerFolder);
