#include <windows.h>
// windows.h first: the shell headers build on it.
#include <shlobj.h>

#include "platform/platform.h"
#include "platform/win32/com_ids.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"

namespace platform {

namespace {

using win32::kIidUnknown;
using win32::Narrow;
using win32::UniqueCom;
using win32::Wide;

// The published identities, defined here so that the executable needs no
// GUID library: the shell-link class, its wide-string interface and the
// persistence interface that writes the .lnk file.
constexpr GUID kClsidShellLink = {
    0x00021401, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr GUID kIidShellLinkW = {
    0x000214F9, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr GUID kIidPersistFile = {
    0x0000010B, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// One text of a link through its Get call; empty when the call fails. The
// longest text a link holds is INFOTIPSIZE (1024) characters.
template <typename Get>
std::string Text(Get get) {
    wchar_t buffer[1025] = {};
    if (FAILED(get(buffer, 1025))) {
        return {};
    }
    buffer[1024] = L'\0';
    return Narrow(buffer);
}

// The target as the link's ID list names it, else as GetPath gives it. The
// ID list keeps every name whole; Wine 8 keeps the path that GetPath gives
// back only in the ANSI code page, where a character it cannot write comes
// back as a look-alike ('l' for 'ł') or '?', which names another file.
std::string TargetOf(IShellLinkW* link) {
    LPITEMIDLIST list = nullptr;
    if (SUCCEEDED(link->GetIDList(&list)) && list != nullptr) {
        wchar_t path[MAX_PATH] = {};
        const BOOL named = ::SHGetPathFromIDListW(list, path);
        ::CoTaskMemFree(list);
        if (named) {
            return Narrow(path);
        }
    }
    return Text([&](wchar_t* buffer, int size) { return link->GetPath(buffer, size, nullptr, 0); });
}

class Win32ShellLink final : public ShellLinkObject {
  public:
    Win32ShellLink(UniqueCom<IUnknown> object, UniqueCom<IShellLinkW> link,
                   UniqueCom<IPersistFile> file)
        : object_(std::move(object)), link_(std::move(link)), file_(std::move(file)) {}

    std::int32_t SetPath(const std::string& target) override {
        return link_.get()->SetPath(Wide(target).c_str());
    }
    std::int32_t SetWorkingDirectory(const std::string& folder) override {
        return link_.get()->SetWorkingDirectory(Wide(folder).c_str());
    }
    std::int32_t SetArguments(const std::string& arguments) override {
        return link_.get()->SetArguments(Wide(arguments).c_str());
    }
    std::int32_t SetIconLocation(const std::string& iconFile, int iconIndex) override {
        return link_.get()->SetIconLocation(Wide(iconFile).c_str(), iconIndex);
    }
    std::int32_t SetDescription(const std::string& description) override {
        return link_.get()->SetDescription(Wide(description).c_str());
    }
    std::int32_t SetShowCmd(int showCommand) override {
        return link_.get()->SetShowCmd(showCommand);
    }
    std::int32_t SetHotkey(std::uint16_t hotKey) override { return link_.get()->SetHotkey(hotKey); }
    std::int32_t Save(const std::string& linkFile, bool remember) override {
        return file_.get()->Save(Wide(linkFile).c_str(), remember ? TRUE : FALSE);
    }
    std::int32_t Load(const std::string& linkFile) override {
        return file_.get()->Load(Wide(linkFile).c_str(), STGM_READ);
    }
    ShellLinkValues Values() override {
        IShellLinkW* link = link_.get();
        ShellLinkValues values;
        values.target = TargetOf(link);
        values.workingDirectory = Text(
            [&](wchar_t* buffer, int size) { return link->GetWorkingDirectory(buffer, size); });
        values.arguments =
            Text([&](wchar_t* buffer, int size) { return link->GetArguments(buffer, size); });
        values.description =
            Text([&](wchar_t* buffer, int size) { return link->GetDescription(buffer, size); });
        values.iconFile = Text([&](wchar_t* buffer, int size) {
            return link->GetIconLocation(buffer, size, &values.iconIndex);
        });
        link->GetShowCmd(&values.showCommand);
        WORD hotKey = 0;
        if (SUCCEEDED(link->GetHotkey(&hotKey))) {
            values.hotKey = hotKey;
        }
        return values;
    }

  private:
    // Members go in reverse order: IPersistFile, IShellLinkW, then the object.
    UniqueCom<IUnknown> object_;
    UniqueCom<IShellLinkW> link_;
    UniqueCom<IPersistFile> file_;
};

template <typename Interface>
UniqueCom<Interface> Query(IUnknown* object, const GUID& iid) {
    void* raw = nullptr;
    if (FAILED(object->QueryInterface(iid, &raw))) {
        return UniqueCom<Interface>();
    }
    return UniqueCom<Interface>(static_cast<Interface*>(raw));
}

}  // namespace

ShellLinkCreation CreateShellLinkObject() {
    ShellLinkCreation creation;
    void* raw = nullptr;
    creation.result = ::CoCreateInstance(
        kClsidShellLink, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, kIidUnknown, &raw);
    if (FAILED(creation.result)) {
        return creation;
    }
    UniqueCom<IUnknown> object(static_cast<IUnknown*>(raw));
    auto link = Query<IShellLinkW>(object.get(), kIidShellLinkW);
    auto file = Query<IPersistFile>(object.get(), kIidPersistFile);
    if (!link.valid() || !file.valid()) {
        creation.interfaceMissing = true;
        return creation;  // what was obtained is released here, file first
    }
    creation.object =
        std::make_unique<Win32ShellLink>(std::move(object), std::move(link), std::move(file));
    return creation;
}

}  // namespace platform
