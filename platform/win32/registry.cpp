#include <windows.h>

#include "platform/platform.h"
#include "platform/win32/bitness.h"
#include "platform/win32/unique_handle.h"

namespace platform {

namespace {

using win32::UniqueRegistryKey;

HKEY RootKey(RegistryRoot root) {
    return root == RegistryRoot::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

// The status as the last error, so that callers read it like any other; true
// for success.
bool Succeeded(LSTATUS status) {
    ::SetLastError(static_cast<DWORD>(status));
    return status == ERROR_SUCCESS;
}

// The key opened for reading; no key when it cannot be opened.
UniqueRegistryKey OpenForReading(RegistryRoot root, const std::string& key, RegistryView view) {
    HKEY raw = nullptr;
    if (!Succeeded(::RegOpenKeyExA(RootKey(root), key.c_str(), 0,
                                   KEY_READ | win32::AdaptRegistryView(view), &raw))) {
        return UniqueRegistryKey();
    }
    return UniqueRegistryKey(raw);
}

bool SetValue(RegistryRoot root, const std::string& key, const std::string& name, DWORD type,
              const void* data, DWORD size) {
    HKEY raw = nullptr;
    if (!Succeeded(::RegCreateKeyExA(
            RootKey(root), key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
            KEY_SET_VALUE | win32::AdaptRegistryView(RegistryView::Own), nullptr, &raw, nullptr))) {
        return false;
    }
    const UniqueRegistryKey open(raw);
    return Succeeded(
        ::RegSetValueExA(open.get(), name.c_str(), 0, type, static_cast<const BYTE*>(data), size));
}

}  // namespace

std::optional<std::string> RegistryString(RegistryRoot root, const std::string& key,
                                          const std::string& name, RegistryView view) {
    const UniqueRegistryKey open = OpenForReading(root, key, view);
    if (!open.valid()) {
        return std::nullopt;
    }
    DWORD type = 0;
    DWORD size = 0;
    if (!Succeeded(::RegQueryValueExA(open.get(), name.c_str(), nullptr, &type, nullptr, &size)) ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return std::nullopt;
    }
    // A value may be stored without its terminating zero; one more byte
    // makes room for it either way.
    std::string text(size + 1, '\0');
    if (!Succeeded(::RegQueryValueExA(open.get(), name.c_str(), nullptr, &type,
                                      reinterpret_cast<BYTE*>(text.data()), &size))) {
        return std::nullopt;
    }
    text.resize(size);
    while (!text.empty() && text.back() == '\0') {
        text.pop_back();
    }
    return text;
}

std::vector<std::string> RegistrySubkeys(RegistryRoot root, const std::string& key,
                                         RegistryView view) {
    std::vector<std::string> names;
    const UniqueRegistryKey open = OpenForReading(root, key, view);
    if (!open.valid()) {
        return names;
    }
    for (DWORD index = 0;; ++index) {
        char name[256];  // a key name has at most 255 characters
        DWORD length = sizeof name;
        const LSTATUS status =
            ::RegEnumKeyExA(open.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (status != ERROR_SUCCESS) {
            break;
        }
        names.emplace_back(name, length);
    }
    return names;
}

bool SetRegistryString(RegistryRoot root, const std::string& key, const std::string& name,
                       const std::string& value) {
    return SetValue(root, key, name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

bool SetRegistryNumber(RegistryRoot root, const std::string& key, const std::string& name,
                       std::uint32_t value) {
    const DWORD number = value;
    return SetValue(root, key, name, REG_DWORD, &number, sizeof number);
}

bool DeleteRegistryKey(RegistryRoot root, const std::string& key) {
    const LSTATUS status = ::RegDeleteKeyA(RootKey(root), key.c_str());
    return Succeeded(status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status);
}

}  // namespace platform
