#include <windows.h>
// windows.h first: the shell headers build on it.
#include <shlobj.h>

#include "platform/platform.h"
#include "platform/win32/com_ids.h"
#include "platform/win32/unique_handle.h"
#include "ui/win32/wide_text.h"

namespace platform {

namespace {

using win32::kIidUnknown;
using win32::UniqueCom;

// The published identities, defined here so that the executable needs no
// GUID library: the shell-link class, its single-byte interface and the
// persistence interface that writes the .lnk file.
constexpr GUID kClsidShellLink = {
    0x00021401, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr GUID kIidShellLinkA = {
    0x000214EE, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr GUID kIidPersistFile = {
    0x0000010B, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// One text of a link through its Get call; empty when the call fails. The
// longest text a link holds is INFOTIPSIZE (1024) characters.
template <typename Get>
std::string Text(Get get) {
    char buffer[1025] = {};
    if (FAILED(get(buffer, static_cast<int>(sizeof buffer)))) {
        return {};
    }
    buffer[sizeof buffer - 1] = '\0';
    return buffer;
}

class Win32ShellLink final : public ShellLinkObject {
  public:
    Win32ShellLink(UniqueCom<IUnknown> object, UniqueCom<IShellLinkA> link,
                   UniqueCom<IPersistFile> file)
        : object_(std::move(object)), link_(std::move(link)), file_(std::move(file)) {}

    std::int32_t SetPath(const std::string& target) override {
        return link_.get()->SetPath(target.c_str());
    }
    std::int32_t SetWorkingDirectory(const std::string& folder) override {
        return link_.get()->SetWorkingDirectory(folder.c_str());
    }
    std::int32_t SetArguments(const std::string& arguments) override {
        return link_.get()->SetArguments(arguments.c_str());
    }
    std::int32_t SetIconLocation(const std::string& iconFile, int iconIndex) override {
        return link_.get()->SetIconLocation(iconFile.c_str(), iconIndex);
    }
    std::int32_t SetDescription(const std::string& description) override {
        return link_.get()->SetDescription(description.c_str());
    }
    std::int32_t SetShowCmd(int showCommand) override {
        return link_.get()->SetShowCmd(showCommand);
    }
    std::int32_t SetHotkey(std::uint16_t hotKey) override { return link_.get()->SetHotkey(hotKey); }
    std::int32_t Save(const std::string& linkFile, bool remember) override {
        const std::wstring wide = ui::win32::Widen(linkFile);
        return file_.get()->Save(wide.c_str(), remember ? TRUE : FALSE);
    }
    std::int32_t Load(const std::string& linkFile) override {
        const std::wstring wide = ui::win32::Widen(linkFile);
        return file_.get()->Load(wide.c_str(), STGM_READ);
    }
    ShellLinkValues Values() override {
        IShellLinkA* link = link_.get();
        ShellLinkValues values;
        values.target =
            Text([&](char* buffer, int size) { return link->GetPath(buffer, size, nullptr, 0); });
        values.workingDirectory =
            Text([&](char* buffer, int size) { return link->GetWorkingDirectory(buffer, size); });
        values.arguments =
            Text([&](char* buffer, int size) { return link->GetArguments(buffer, size); });
        values.description =
            Text([&](char* buffer, int size) { return link->GetDescription(buffer, size); });
        values.iconFile = Text([&](char* buffer, int size) {
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
    // Members go in reverse order: IPersistFile, IShellLinkA, then the object.
    UniqueCom<IUnknown> object_;
    UniqueCom<IShellLinkA> link_;
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
    auto link = Query<IShellLinkA>(object.get(), kIidShellLinkA);
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
