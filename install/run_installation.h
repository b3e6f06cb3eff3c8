#pragma once

#include <string>

// The whole installation in one synchronous call, made from an event
// handler of the running application: creates the folder, shows the
// progress window, unpacks every payload item into memory before any file
// is touched, writes and dates the files with Pause, Resume and Cancel
// between them, hands a complete run to the completion step and shows the
// one final message after the window is gone.
//
// True only when every item was read, every file written and dated and the
// run was not cancelled. A read error, a cancel or a folder or file that
// could not be written gives false after the run's own message, so the
// caller only adds its notice. Files already written stay. An error raised
// while unpacking (a missing or damaged item) passes to the caller with the
// window destroyed and the items released, and no file written.
bool RunInstallation(const std::string& folder);
