#include <windows.h>
// windows.h first: objbase.h builds on it.
#include <objbase.h>

#include "platform/platform.h"
#include "platform/win32/bitness.h"

namespace platform {

Wow64Answer QueryWow64() {
    using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
    // Older Windows versions lack the function, so it is looked up at run time.
    const HMODULE kernel = ::GetModuleHandleA("kernel32");
    const auto isWow64Process = reinterpret_cast<IsWow64ProcessFn>(
        reinterpret_cast<void*>(::GetProcAddress(kernel, "IsWow64Process")));
    if (isWow64Process == nullptr) {
        return Wow64Answer::QueryAbsent;
    }
    BOOL flag = FALSE;
    if (!isWow64Process(::GetCurrentProcess(), &flag)) {
        return Wow64Answer::QueryFailed;
    }
    return win32::AdaptWow64Flag(flag);
}

std::optional<std::string> EnvironmentVariable(const std::string& name) {
    char buffer[MAX_PATH + 1];
    const DWORD length = ::GetEnvironmentVariableA(name.c_str(), buffer, sizeof buffer);
    if (length == 0 || length >= sizeof buffer) {
        return std::nullopt;  // unset, or longer than any folder this program asks for
    }
    return std::string(buffer, length);
}

std::string CommandLine() {
    const char* line = ::GetCommandLineA();
    return line != nullptr ? std::string(line) : std::string();
}

char UserThousandsSeparator() {
    char buffer[8] = {};
    if (::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, buffer, sizeof buffer) < 2) {
        return '\0';
    }
    return buffer[0];
}

std::string ExecutableFileName() {
    const std::string path = ExecutablePath();
    const std::size_t cut = path.find_last_of("\\/:");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string ExecutablePath() {
    char buffer[MAX_PATH + 1] = {};
    const DWORD length = ::GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    return std::string(buffer, length);
}

LocalDate Today() {
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay};
}

std::optional<std::string_view> FindRcData(const std::string& name) {
    // FindResourceA compares names without regard to case.
    const HRSRC info = ::FindResourceA(nullptr, name.c_str(), RT_RCDATA);
    if (info == nullptr) {
        return std::nullopt;
    }
    const HGLOBAL loaded = ::LoadResource(nullptr, info);
    const DWORD size = ::SizeofResource(nullptr, info);
    const void* bytes = loaded != nullptr ? ::LockResource(loaded) : nullptr;
    if (bytes == nullptr && size != 0) {
        return std::nullopt;
    }
    // A resource of the program's own module stays mapped while it runs.
    return std::string_view(static_cast<const char*>(bytes), size);
}

ComApartment::ComApartment() : result_(::CoInitialize(nullptr)) {}

ComApartment::~ComApartment() {
    // Every successful CoInitialize, S_FALSE included, is balanced.
    if (SUCCEEDED(result_)) {
        ::CoUninitialize();
    }
}

}  // namespace platform
