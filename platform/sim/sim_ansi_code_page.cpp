// The simulated machine's ANSI code page is 1252 (English and Western
// European Windows): enough to prove what the program does with a character
// that has a form there and with one that has none.

#include <array>

#include "platform/platform.h"
#include "platform/text_encoding.h"

namespace platform {

namespace {

// Bytes 0x80..0x9F of code page 1252; 0 marks the five it leaves unassigned
// (Windows maps those to the same-numbered control characters).
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char16_t FromByte(unsigned char byte) {
    if (byte >= 0x80 && byte < 0xA0 && kHighControls[byte - 0x80] != 0) {
        return kHighControls[byte - 0x80];
    }
    return byte;
}

}  // namespace

std::optional<std::string> AnsiFromUtf8(std::string_view text) {
    std::string bytes;
    for (const char16_t unit : Utf16FromUtf8(text)) {
        int byte = -1;
        for (int candidate = 0; candidate < 256 && byte < 0; ++candidate) {
            if (FromByte(static_cast<unsigned char>(candidate)) == unit) {
                byte = candidate;
            }
        }
        if (byte < 0) {
            return std::nullopt;
        }
        bytes += static_cast<char>(byte);
    }
    return bytes;
}

std::string Utf8FromAnsi(std::string_view bytes) {
    std::u16string wide;
    for (const char byte : bytes) {
        wide += FromByte(static_cast<unsigned char>(byte));
    }
    return Utf8FromUtf16(wide);
}

}  // namespace platform
