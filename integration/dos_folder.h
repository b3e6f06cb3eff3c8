#pragma once

#include <optional>
#include <string>

// How the installed DOS program, and DOSBox that runs it, can be given its
// folder. Both take a path as bytes of the system's ANSI code page: DOSBox
// reads its configuration file and its command line so and hands the bytes
// to the system's ANSI file calls unchanged; a DOS program under 32-bit
// Windows sees names in the code page, or as their short (8.3) names. A
// character that the code page cannot write has no such bytes, and a best
// fit would name another folder.

// The folder as DOSBox can be given it: as it is when the ANSI code page can
// write every character, else (for a folder that exists) its short path when
// the code page can write that; nothing when neither.
std::optional<std::string> DosFolderPath(const std::string& folder);

// The first character of the text that the ANSI code page cannot write (one
// character, in UTF-8); empty when it can write them all.
std::string FirstCharacterOutsideCodePage(const std::string& text);
