#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"

// The values of one of the program's shortcuts, wherever its file lies. The
// working directory is always the target's folder part and the window a
// normal one (CreateShellLink sets both).
struct Shortcut {
    std::string target;
    std::string arguments;
    std::string description;
    std::string iconFile;
    int iconIndex = 0;
    std::uint16_t hotKey = 0;  // 0: none

    bool operator==(const Shortcut&) const = default;
};

// One shortcut file and what it was written to hold.
struct PlacedShortcut {
    std::string linkFile;
    Shortcut values;

    bool operator==(const PlacedShortcut&) const = default;
};

// True when a link read back still holds what `written` put there: the same
// target, working directory and icon file (the shell may give back another
// spelling of a path: Windows paths ignore case), the same arguments,
// description, icon index and hot key, and a normal window. A shortcut the
// user changed is not the one that was written.
bool HoldsWhatWasWritten(const platform::ShellLinkValues& link, const Shortcut& written);
