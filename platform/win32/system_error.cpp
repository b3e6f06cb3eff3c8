#include <windows.h>

#include "platform/platform.h"

namespace platform {

std::string SystemMessageText(std::uint32_t code) {
    char* buffer = nullptr;
    const DWORD length = ::FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text = length != 0 && buffer != nullptr ? std::string(buffer, length) : "";
    ::LocalFree(buffer);
    return text;
}

std::uint32_t LastErrorCode() {
    return ::GetLastError();
}

}  // namespace platform
