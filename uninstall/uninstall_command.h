#pragma once

#include <optional>
#include <string>
#include <vector>

// The exit codes of an uninstall, for Apps & Features and for scripts that
// run the quiet command (docs/uninstall.md).
enum UninstallExitCode : int {
    kUninstallDone = 0,             // nothing of ours is left (files the user changed may be)
    kUninstallIncomplete = 1,       // something of ours could not be removed; the entry stays
    kUninstallDeclined = 2,         // the user answered No: nothing was changed
    kUninstallNoRecord = 3,         // the record or the payload cannot be read, or the record
                                    // is not one this program wrote: nothing was changed
    kUninstallNoTemporaryCopy = 4,  // the temporary copy could not be started, or a copy's switch
                                    // came without our own hand-off: nothing was changed
    kUninstallCopyEnded = 5,        // the temporary copy ended without a result (killed,
                                    // crashed): what it did is not known; run the uninstall again
    kUninstallBusy = 6,             // an installation or uninstall of this entry is running:
                                    // nothing was changed
    kUninstallUnreachable = 7,      // quiet: the install folder cannot be reached (its drive is
                                    // not there or holds another volume): nothing was changed
    kUninstallEntryOnly = 8,        // the folder could not be reached; at the user's word the
                                    // shortcuts and the entry were removed, its files stay
};

// Runs the uninstall when the arguments ask for one and gives its exit code;
// nothing when they do not (the installer then starts as always, platform
// check first). The uninstall never checks the platform: DOSBox may be gone.
//
// "/uninstall [/quiet]" (in any order and case) is the command the entry names: it hands the work
// to a temporary copy of this program and waits for its result, so that it can be deleted too. The
// copy (platform::kTemporaryCopySwitch) asks, removes, answers, and then deletes the original.
// "/quiet" shows no window at all.
std::optional<int> RunUninstallCommand(const std::vector<std::string>& arguments);
