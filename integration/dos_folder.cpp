#include "integration/dos_folder.h"

#include "platform/platform.h"
#include "platform/text_encoding.h"

std::optional<std::string> DosFolderPath(const std::string& folder) {
    if (platform::AnsiFromUtf8(folder)) {
        return folder;
    }
    if (const auto shortPath = platform::ShortPathOf(folder);
        shortPath && platform::AnsiFromUtf8(*shortPath)) {
        return shortPath;
    }
    return std::nullopt;
}

std::string FirstCharacterOutsideCodePage(const std::string& text) {
    const std::u16string wide = platform::Utf16FromUtf8(text);
    for (std::size_t at = 0; at < wide.size();) {
        // A character beyond U+FFFF is a surrogate pair: both units together.
        const bool pair = wide[at] >= 0xD800 && wide[at] <= 0xDBFF && at + 1 < wide.size();
        const std::size_t length = pair ? 2 : 1;
        const std::string character = platform::Utf8FromUtf16(wide.substr(at, length));
        if (!platform::AnsiFromUtf8(character)) {
            return character;
        }
        at += length;
    }
    return {};
}
