#pragma once

// The one text model of the program: every string that holds text or a path
// is UTF-8, and whole file contents are bytes. The system speaks UTF-16; the
// backends convert right at each wide call through these two functions, and
// nowhere else.

#include <string>
#include <string_view>

namespace platform {

// UTF-8 to UTF-16. A byte that does not begin or continue a well-formed
// sequence (a stray continuation byte, a sequence cut short, an overlong
// form, a value past U+10FFFF) becomes U+FFFD on its own, and decoding goes
// on with the next byte. The three-byte form of a surrogate (which
// Utf8FromUtf16 writes for an unpaired one) gives that surrogate back.
std::u16string Utf16FromUtf8(std::string_view text);

// UTF-16 to UTF-8. Windows names may hold a surrogate without its partner;
// it is written in its own three-byte form, so that every name the system
// gives comes back unchanged through Utf16FromUtf8.
std::string Utf8FromUtf16(std::u16string_view text);

// True when the bytes are well-formed UTF-8 throughout (no surrogate forms):
// what tells a text this program wrote from one an older version wrote in
// the ANSI code page.
bool IsUtf8(std::string_view bytes);

}  // namespace platform
