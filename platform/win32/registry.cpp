#include <windows.h>

#include "platform/platform.h"
#include "platform/win32/bitness.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"

namespace platform {

namespace {

using win32::UniqueRegistryKey;
using win32::Wide;

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
    if (!Succeeded(::RegOpenKeyExW(RootKey(root), Wide(key).c_str(), 0,
                                   KEY_READ | win32::AdaptRegistryView(view), &raw))) {
        return UniqueRegistryKey();
    }
    return UniqueRegistryKey(raw);
}

bool SetValue(RegistryRoot root, const std::string& key, const std::string& name, DWORD type,
              const void* data, DWORD size) {
    HKEY raw = nullptr;
    if (!Succeeded(::RegCreateKeyExW(
            RootKey(root), Wide(key).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
            KEY_SET_VALUE | win32::AdaptRegistryView(RegistryView::Own), nullptr, &raw, nullptr))) {
        return false;
    }
    const UniqueRegistryKey open(raw);
    return Succeeded(::RegSetValueExW(open.get(), Wide(name).c_str(), 0, type,
                                      static_cast<const BYTE*>(data), size));
}

}  // namespace

std::optional<std::string> RegistryString(RegistryRoot root, const std::string& key,
                                          const std::string& name, RegistryView view) {
    const UniqueRegistryKey open = OpenForReading(root, key, view);
    if (!open.valid()) {
        return std::nullopt;
    }
    const std::wstring valueName = Wide(name);
    DWORD type = 0;
    DWORD size = 0;
    if (!Succeeded(
            ::RegQueryValueExW(open.get(), valueName.c_str(), nullptr, &type, nullptr, &size)) ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return std::nullopt;
    }
    // A value may be stored without its terminating zero, or with an odd
    // number of bytes; one more character makes room either way.
    std::wstring text(size / sizeof(wchar_t) + 2, L'\0');
    DWORD room = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (!Succeeded(::RegQueryValueExW(open.get(), valueName.c_str(), nullptr, &type,
                                      reinterpret_cast<BYTE*>(text.data()), &room))) {
        return std::nullopt;
    }
    text.resize(room / sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\0') {
        text.pop_back();
    }
    return win32::Narrow(text);
}

std::vector<std::string> RegistrySubkeys(RegistryRoot root, const std::string& key,
                                         RegistryView view) {
    std::vector<std::string> names;
    const UniqueRegistryKey open = OpenForReading(root, key, view);
    if (!open.valid()) {
        return names;
    }
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];  // a key name has at most 255 characters
        DWORD length = 256;
        const LSTATUS status =
            ::RegEnumKeyExW(open.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (status != ERROR_SUCCESS) {
            break;
        }
        names.push_back(win32::Narrow(std::wstring_view(name, length)));
    }
    return names;
}

bool SetRegistryString(RegistryRoot root, const std::string& key, const std::string& name,
                       const std::string& value) {
    const std::wstring text = Wide(value);
    return SetValue(root, key, name, REG_SZ, text.c_str(),
                    static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

bool SetRegistryNumber(RegistryRoot root, const std::string& key, const std::string& name,
                       std::uint32_t value) {
    const DWORD number = value;
    return SetValue(root, key, name, REG_DWORD, &number, sizeof number);
}

bool DeleteRegistryKey(RegistryRoot root, const std::string& key) {
    const LSTATUS status = ::RegDeleteKeyW(RootKey(root), Wide(key).c_str());
    return Succeeded(status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status);
}

}  // namespace platform
