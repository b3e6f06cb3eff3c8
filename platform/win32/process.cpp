#include <windows.h>
// windows.h first: objbase.h builds on it.
#include <objbase.h>

#include "platform/platform.h"
#include "platform/win32/bitness.h"
#include "platform/win32/wide.h"

namespace platform {

Wow64Answer QueryWow64() {
    using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
    // Older Windows versions lack the function, so it is looked up at run time.
    const HMODULE kernel = ::GetModuleHandleW(L"kernel32");
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
    const std::wstring wideName = win32::Wide(name);
    std::wstring buffer(MAX_PATH + 1, L'\0');
    for (int attempt = 0; attempt < 2; ++attempt) {
        const DWORD length = ::GetEnvironmentVariableW(wideName.c_str(), buffer.data(),
                                                       static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            return std::nullopt;
        }
        if (length < buffer.size()) {
            buffer.resize(length);
            return win32::Narrow(buffer);
        }
        buffer.assign(length, L'\0');  // the length asked for counts the terminating zero
    }
    return std::nullopt;
}

std::string CommandLine() {
    return win32::Narrow(::GetCommandLineW());
}

std::string UserThousandsSeparator() {
    // LOCALE_STHOUSAND has at most three characters and the terminating zero.
    wchar_t buffer[4] = {};
    if (::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, buffer, 4) < 2) {
        return {};
    }
    return win32::Narrow(buffer);
}

std::string ExecutableFileName() {
    const std::string path = ExecutablePath();
    const std::size_t cut = path.find_last_of("\\/:");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string ExecutablePath() {
    // The path may be longer than MAX_PATH; the call cuts it to the buffer
    // and says so with ERROR_INSUFFICIENT_BUFFER.
    std::wstring buffer(MAX_PATH + 1, L'\0');
    while (true) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length < buffer.size()) {
            buffer.resize(length);
            return win32::Narrow(buffer);
        }
        if (buffer.size() >= 0x8000) {  // no path is longer
            return {};
        }
        buffer.assign(buffer.size() * 2, L'\0');
    }
}

LocalDate Today() {
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay};
}

std::optional<std::string_view> FindRcData(const std::string& name) {
    // FindResourceW compares names without regard to case.
    const HRSRC info =
        ::FindResourceW(nullptr, win32::Wide(name).c_str(), MAKEINTRESOURCEW(10));  // RT_RCDATA
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
