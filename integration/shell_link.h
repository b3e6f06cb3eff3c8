#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "integration/shortcut.h"
#include "integration/write_result.h"

// Writes one shortcut (.lnk) through the Windows shell-link object: target,
// working directory (the target's folder part), arguments, icon, description,
// a normal window and, when non-zero, the hot key (low byte the virtual key,
// high byte the HOTKEYF_ modifiers). An existing file is replaced. COM must
// be initialised on the calling thread.
//
// Raises EOleSysError ("%s, ClassID: %s") when the object cannot be created
// and EIntfCastError ("Interface not supported") when it lacks an interface;
// nothing is written then. A save the shell refuses is no error: the result
// says so, with the system's words.
WriteResult CreateShellLink(const std::string& linkFile, const std::string& target,
                            const std::string& arguments, const std::string& description,
                            const std::string& iconFile, int iconIndex, std::uint16_t hotKey);

// The same for a shortcut's file and values.
WriteResult CreateShellLink(const PlacedShortcut& shortcut);

// A shortcut read back through the shell-link object: its values, or the
// HRESULT that kept it from being read (the object could not be made, the
// file cannot be opened or is no shortcut).
struct ReadLink {
    std::optional<platform::ShellLinkValues> values;
    std::int32_t result = 0;
    // The object was made and could open the file, which holds no shortcut
    // it can read (the user put another file in its place); otherwise a
    // failure of the object or of the system kept it from being read.
    bool notAShortcut = false;
};
ReadLink ReadShellLink(const std::string& linkFile);

// The text a shortcut on the desktop gets instead of being written when the
// shell named no desktop folder: a bare file name would land in whatever the
// current folder is, where nobody would look for it.
inline constexpr char kNoDesktopFolder[] = "The shell did not name a desktop folder";
