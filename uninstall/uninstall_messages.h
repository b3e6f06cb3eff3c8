#pragma once

#include <string>

#include "uninstall/uninstaller.h"

// The uninstaller's two boxes, in the installer's voice: the question before
// anything changes, and the one answer afterwards.

// Asks whether to remove the installation in `folder`.
std::string RemovalQuestion(const std::string& folder);

// Asks whether to remove only the shortcuts and the entry of an
// installation whose folder cannot be reached.
std::string UnreachableQuestion(const std::string& folder);

// What was removed, what was kept and why, and what could not be removed
// with the system's reason for each.
std::string RemovalMessage(const RemovalReport& report, const std::string& folder);

// The record could not be read, or the payload could not be unpacked: nothing
// was removed.
std::string NothingRemovedMessage(const std::string& reason);

// Another installation or uninstall of the same entry is running.
std::string AnotherRunMessage();

// The temporary copy in `tempFolder` ended without saying what it did.
std::string CopyEndedMessage(const std::string& tempFolder);
