#pragma once

#include <string>

// The completion step after every file was written: tells the user how to
// start the program and sets up what that needs. `folder` and
// `desktopFolder` end with a backslash (the desktop folder is empty when the
// shell cannot name it); the step replaces, extends or clears `message`,
// which the run shows at its end.
void CompleteInstallation(const std::string& folder, const std::string& desktopFolder,
                          std::string& message);
