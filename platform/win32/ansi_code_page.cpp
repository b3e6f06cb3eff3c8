#include <windows.h>

#include "platform/platform.h"
#include "platform/win32/wide.h"

namespace platform {

namespace {

std::wstring WideFromAnsi(std::string_view bytes) {
    if (bytes.empty()) {
        return {};
    }
    const int size = static_cast<int>(bytes.size());
    const int length = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, wide.data(), length);
    return wide;
}

}  // namespace

std::optional<std::string> AnsiFromUtf8(std::string_view text) {
    const std::wstring wide = win32::Wide(text);
    if (wide.empty()) {
        return std::string();
    }
    const int size = static_cast<int>(wide.size());
    const int length =
        ::WideCharToMultiByte(CP_ACP, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    if (length == 0) {
        return std::nullopt;
    }
    std::string bytes(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, wide.data(), size, bytes.data(), length, nullptr, nullptr);
    // A character without a form comes out as '?' or as a best-fit
    // look-alike ('ł' as 'l' on code page 1252): either way the bytes no
    // longer read back as the text. This holds for every code page, the
    // double-byte ones and UTF-8 included, where flags would not.
    if (WideFromAnsi(bytes) != wide) {
        return std::nullopt;
    }
    return bytes;
}

std::string Utf8FromAnsi(std::string_view bytes) {
    return win32::Narrow(WideFromAnsi(bytes));
}

}  // namespace platform
