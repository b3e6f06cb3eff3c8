#include "util/ole_error_text.h"

#include "platform/platform.h"
#include "util/format.h"

namespace {

constexpr std::uint32_t kFacilityWin32 = 0x80070000;
constexpr std::uint32_t kUnspecifiedError = 0x80004005;  // E_FAIL

}  // namespace

std::uint32_t HresultFromWin32(std::uint32_t code) {
    if (code == 0) {
        return kUnspecifiedError;  // a failure whose code was lost is still one
    }
    return (code & 0x80000000) ? code : (code & 0xFFFF) | kFacilityWin32;
}

std::string OleErrorText(std::uint32_t code) {
    std::string text = platform::SystemMessageText(code);
    // Not every system's table has the HRESULT forms of Win32 codes (Wine's
    // lacks most); their text is the Win32 code's.
    if (text.empty() && (code & 0xFFFF0000) == kFacilityWin32) {
        text = platform::SystemMessageText(code & 0xFFFF);
    }
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ' ||
                             text.back() == '.')) {
        text.pop_back();
    }
    if (text.empty()) {
        return Format("OLE error %.8x", {static_cast<std::int64_t>(code)});
    }
    return text;
}
