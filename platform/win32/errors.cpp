#include <windows.h>

#include "platform/platform.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"

namespace platform {

std::uint32_t LastErrorCode() {
    return ::GetLastError();
}

void SetLastErrorCode(std::uint32_t code) {
    ::SetLastError(code);
}

std::string SystemMessageText(std::uint32_t code) {
    wchar_t* buffer = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<LPWSTR>(&buffer),
        0, nullptr);
    const win32::UniqueLocalMem owner(buffer);
    return length != 0 ? win32::Narrow(std::wstring_view(buffer, length)) : std::string();
}

std::string SystemErrorText(std::uint32_t code) {
    std::string text = SystemMessageText(code);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) {
        text.pop_back();
    }
    return text.empty() ? "Error " + std::to_string(code) + "." : text;
}

}  // namespace platform
