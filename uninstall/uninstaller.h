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

    bool folderMissing = false;          // the install folder had been deleted already
    bool folderUnreachable = false;      // its drive was not there: nothing in it was touched
    bool folderIsLink = false;           // a junction or link: it stays, what it holds was handled
    std::vector<std::string> keptFiles;  // what stays in the install folder (a folder with '\')
    std::vector<std::string> keptShortcuts;  // shortcuts of ours that the user changed
    std::vector<Fault> faults;               // what is ours and could not be removed

    bool complete() const { return faults.empty(); }
};

// The installed bytes of each payload file, by lower-case file name.
using PayloadFiles = ui::FlatMap<std::string, std::string>;

// The payload this program carries, unpacked. Raises what LoadPayloadItem
// raises.
PayloadFiles LoadPayloadFiles();

// Where the install folder is now, as far as removing it goes.
enum class FolderState {
    Present,
    Deleted,      // gone from a fixed drive that is there: deleted by hand
    Unreachable,  // its drive is not there, is removable, a CD or a network
                  // drive, or holds another volume than the one installed to
};
FolderState StateOfFolder(const InstallRecord& record);

// Whether a record is one this program wrote for the entry `key`: it names
// that entry, and each of its shortcuts is a .lnk file in the user's desktop
// folder or the program's Start menu folder. An edited record could
// otherwise name any key or any file to delete.
bool RecordIsOwn(const InstallRecord& record, const std::string& key);

// The shortcuts the records of this program's other entries hold: a second
// installation into another folder writes shortcuts of the same names over
// the first one's, and then they are that installation's to remove.
std::vector<PlacedShortcut> ShortcutsOfOtherEntries(const std::string& key);

// Removes what the record lists, each thing only while it is as it was
// written, and never anything else:
// - a payload file only while its bytes are the payload's;
// - dosbox.conf only while it is what the installer wrote for that folder;
// - a shortcut only while the shell-link object reads back the values it
//   was written with (and the file is still the one read); one that holds
//   what another entry wrote (`othersShortcuts`) is left alone unnamed;
// - the Start menu folder and the install folder only when they are empty;
// - no junction or symbolic link is deleted or opened through as ours: the
//   files of a junction's target are handled as in any folder.
// With `folderReachable` false nothing of the install folder is touched.
// A file that cannot be read or deleted is a fault; everything else goes on.
// COM must be initialised.
RemovalReport RemoveInstallation(const InstallRecord& record, const PayloadFiles& payload,
                                 const std::vector<PlacedShortcut>& othersShortcuts,
                                 bool folderReachable = true);

// After a complete removal: the record, then the entry; each that cannot go
// is a fault, and a record whose entry stays is put back, so that the
// uninstall can run again. The uninstaller's own file is the caller's (it
// may be running); `uninstallerFolder` ends with a backslash.
void RemoveRegistration(const InstallRecord& record, const std::string& uninstallerFolder,
                        RemovalReport& report);

// Removes the uninstaller's folder and the Tessaly folder above it, each
// only when empty. False (with the last error code) when a file of ours
// stays in the uninstaller's folder; a folder kept only for what someone
// else put there (a DLL beside the uninstaller, say) is theirs.
bool RemoveEmptyUninstallerFolders(const std::string& uninstallerFolder);
