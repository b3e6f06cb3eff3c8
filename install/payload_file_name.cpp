#include "install/payload_file_name.h"

#include <array>

#include "platform/text_encoding.h"
#include "util/path_helpers.h"

namespace {

bool IsForbiddenCharacter(unsigned char c) {
    return c < 0x20 ||
           std::string_view("<>\"|?*").find(static_cast<char>(c)) != std::string_view::npos;
}

// Names that open a device rather than a file in any folder, with or without
// an extension ("nul.txt" is the null device too).
bool IsDeviceName(std::string_view name) {
    std::string base = UpperAscii(std::string(name.substr(0, name.find('.'))));
    while (!base.empty() && base.back() == ' ') {
        base.pop_back();
    }
    static constexpr std::array<std::string_view, 6> kPlain = {"CON", "PRN",    "AUX",
                                                               "NUL", "CONIN$", "CONOUT$"};
    for (std::string_view device : kPlain) {
        if (base == device) {
            return true;
        }
    }
    // COM1 to COM9 and LPT1 to LPT9; Windows counts the superscript digits
    // one to three as digits here as well.
    if (!base.starts_with("COM") && !base.starts_with("LPT")) {
        return false;
    }
    const std::string_view number = std::string_view(base).substr(3);
    return (number.size() == 1 && number[0] >= '1' && number[0] <= '9') || number == "\u00b9" ||
           number == "\u00b2" || number == "\u00b3";
}

}  // namespace

std::optional<std::string> FindFileNameFault(std::string_view name) {
    if (name.empty()) {
        return "is empty";
    }
    if (name.find_first_of("\\/") != std::string_view::npos) {
        return "holds a folder part";
    }
    if (name.find(':') != std::string_view::npos) {
        return "names a drive or a stream";
    }
    if (!platform::IsUtf8(name)) {
        return "is no UTF-8 text";
    }
    for (char c : name) {
        if (IsForbiddenCharacter(static_cast<unsigned char>(c))) {
            return "holds a character that Windows does not allow in file names";
        }
    }
    if (name == "." || name == "..") {
        return "names a folder, not a file";
    }
    // Windows drops trailing dots and spaces, so such a name would be the
    // install folder itself.
    if (name.find_last_not_of(". ") == std::string_view::npos) {
        return "has no usable characters";
    }
    if (IsDeviceName(name)) {
        return "is a device name";
    }
    return std::nullopt;
}
