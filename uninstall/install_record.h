#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "integration/shortcut.h"

// What the installations into one folder put on the machine, or were about
// to: each thing is added before it is written, so a run that stops halfway
// leaves nothing the uninstaller does not know of. The uninstaller removes a
// thing only while it is as written (install/ and integration/ say how each
// is written; uninstall/uninstaller.h how each is checked).
struct InstallRecord {
    std::string entryKey;                 // the Apps & Features entry's key name
    std::string folder;                   // the install folder, with its backslash
    std::optional<std::uint32_t> volume;  // the serial number of the folder's volume
    std::vector<std::string> files;       // payload file names, no folder part
    std::optional<std::string> config;    // the program dosbox.conf was written for
    std::vector<PlacedShortcut> shortcuts;

    // Adds a payload file once.
    void AddFile(const std::string& name);
    // A shortcut replaces the one recorded for the same file.
    void AddShortcut(const PlacedShortcut& shortcut);

    // One line per thing, fields separated by tabs (which no Windows path
    // and none of the installer's texts holds), CR LF line ends, UTF-8.
    std::string Serialise() const;
    // Nothing when the bytes are not a record, or a line of a known kind is
    // broken; lines of kinds it does not know are passed over. A record that
    // an earlier version wrote in the ANSI code page is read as well.
    static std::optional<InstallRecord> Parse(const std::string& stored);
};
