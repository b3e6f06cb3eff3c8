#pragma once

#include <string>

// What became of one file that the desktop set-up writes (dosbox.conf, a
// shortcut): written, or not, with the system's words for why.
struct WriteResult {
    bool written = true;
    std::string reason;
};

// One file that could not be created, as the user is told: its path, then
// the reason on an indented line of its own.
inline std::string UnwrittenFileText(const std::string& path, const WriteResult& result) {
    return path + "\r\n    " + result.reason;
}
