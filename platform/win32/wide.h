#pragma once

// The UTF-8 strings of the program as the wide (W) calls take them, and the
// wide texts those calls give as UTF-8: platform/text_encoding.h on
// Windows' 16-bit wchar_t. The win32 backends of both seams use these right
// beside each call.

#include <string>
#include <string_view>

#include "platform/text_encoding.h"

namespace platform::win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows' wchar_t is UTF-16");

inline std::wstring Wide(std::string_view text) {
    const std::u16string wide = Utf16FromUtf8(text);
    return std::wstring(wide.begin(), wide.end());
}

inline std::string Narrow(std::wstring_view text) {
    return Utf8FromUtf16(std::u16string(text.begin(), text.end()));
}

// A NUL-terminated text; a null pointer gives an empty one.
inline std::string Narrow(const wchar_t* text) {
    return text != nullptr ? Narrow(std::wstring_view(text)) : std::string();
}

}  // namespace platform::win32
