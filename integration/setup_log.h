#pragma once

#include <string>

#include "integration/shortcut.h"
#include "integration/write_result.h"

// Told of each file the desktop set-up is about to write, before it writes
// it, so that the uninstaller knows of it even when the run stops right
// after. An answer that is not `written` means it could not be told (its
// reason says why): the file is then not written, since nothing could
// remove it again.
class SetupLog {
  public:
    virtual ~SetupLog() = default;
    // dosbox.conf, written for the program at `programPath`.
    virtual WriteResult ConfigWillBeWritten(const std::string& programPath) = 0;
    virtual WriteResult ShortcutWillBeWritten(const PlacedShortcut& shortcut) = 0;
};

// What the user is told of a file that was not written because the log
// could not take it.
inline WriteResult NotRecorded(const WriteResult& logged) {
    return {false, "It could not be recorded for the uninstaller: " + logged.reason};
}
