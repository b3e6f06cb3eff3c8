#pragma once

// What an uninstaller hands to its temporary copy (platform.h, "Running from
// a temporary copy"). The copy learns it from a pipe it inherited, never from
// its command line, which carries only that pipe's handle value: a command
// typed by hand has no such pipe, and a pipe that holds anything but one
// whole hand-off is refused. Kept apart from the win32 backend, which writes
// and reads it, so that the checks run in the unit tests too.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Random bytes the original draws for each copy. They name the copy's file
// (nobody can tell the name beforehand), and the copy runs only from the
// file they name.
using CopyToken = std::array<unsigned char, 16>;

struct CopyHandOff {
    std::uint64_t resultPipe = 0;       // the handle value of the pipe to hand back on
    std::uint64_t originalProcess = 0;  // the handle value of the original's process
    std::uint32_t originalProcessId = 0;
    CopyToken token = {};
    std::string originalPath;  // the original's file
};

// The copy's file name: "tsun", the token in hex, ".exe".
std::string CopyFileName(const CopyToken& token);
// The name the original's file gets when the copy moves it aside: "tsold", the
// token in hex, ".exe".
std::string AsideFileName(const CopyToken& token);

// The hand-off's bytes, and back. Decoding takes exactly one whole hand-off
// and nothing else: another leading mark, a handle value or process id of 0,
// a path that is empty, holds a NUL or is longer than Windows allows, or
// bytes missing or left over give nothing.
std::string EncodeCopyHandOff(const CopyHandOff& handOff);
std::optional<CopyHandOff> DecodeCopyHandOff(std::string_view bytes);

// The most bytes a hand-off can take: a path of 32767 UTF-16 units, each up
// to three bytes in UTF-8.
inline constexpr std::size_t kMaxCopyHandOffBytes = 8 + 8 + 8 + 4 + 16 + 4 + 32767 * 3;

// The copy's command line after its program: the switch and the hand-off
// pipe's handle value in hex.
std::string CopySwitchFor(std::uint64_t handOffPipe);
// The hand-off pipe's handle value from a whole command line: the switch as
// an argument of its own, followed by 1 to 16 hex digits that end the line or
// an argument. Nothing when the line has no such switch or value.
std::optional<std::uint64_t> HandOffPipeOf(std::string_view commandLine);

}  // namespace platform
