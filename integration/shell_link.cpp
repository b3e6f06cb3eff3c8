#include "integration/shell_link.h"

#include "platform/platform.h"
#include "util/errors.h"
#include "util/format.h"
#include "util/ole_error_text.h"
#include "util/path_helpers.h"

namespace {

constexpr char kShellLinkClassId[] = "{00021401-0000-0000-C000-000000000046}";

}  // namespace

WriteResult CreateShellLink(const std::string& linkFile, const std::string& target,
                            const std::string& arguments, const std::string& description,
                            const std::string& iconFile, int iconIndex, std::uint16_t hotKey) {
    const std::string workingDirectory = FolderPart(target);
    // The object and its interfaces are released when `creation` goes away,
    // on every path out, an exception from a call included.
    platform::ShellLinkCreation creation = platform::CreateShellLinkObject();
    if (creation.result < 0) {
        throw EOleSysError(
            Format("%s, ClassID: %s",
                   {OleErrorText(static_cast<std::uint32_t>(creation.result)), kShellLinkClassId}));
    }
    if (creation.interfaceMissing || !creation.object) {
        throw EIntfCastError();
    }
    platform::ShellLinkObject& link = *creation.object;
    // The shell's answers to the settings are not looked at: a property it
    // refuses still leaves a link that starts the target. The save decides.
    link.SetPath(target);
    link.SetWorkingDirectory(workingDirectory);
    link.SetArguments(arguments);
    link.SetIconLocation(iconFile, iconIndex);
    link.SetDescription(description);
    link.SetShowCmd(platform::kShowNormal);
    if (hotKey != 0) {
        link.SetHotkey(hotKey);
    }
    const std::int32_t saved = link.Save(linkFile, false);
    if (saved < 0) {
        return {false, OleErrorText(static_cast<std::uint32_t>(saved))};
    }
    return {};
}

WriteResult CreateShellLink(const PlacedShortcut& shortcut) {
    const Shortcut& values = shortcut.values;
    return CreateShellLink(shortcut.linkFile, values.target, values.arguments, values.description,
                           values.iconFile, values.iconIndex, values.hotKey);
}

ReadLink ReadShellLink(const std::string& linkFile) {
    constexpr std::int32_t kNoInterface = static_cast<std::int32_t>(0x80004002);  // E_NOINTERFACE
    platform::ShellLinkCreation creation = platform::CreateShellLinkObject();
    if (creation.result < 0) {
        return {std::nullopt, creation.result};
    }
    if (creation.interfaceMissing || !creation.object) {
        return {std::nullopt, kNoInterface};
    }
    const std::int32_t loaded = creation.object->Load(linkFile);
    if (loaded < 0) {
        // A system error (FACILITY_WIN32) kept the file from being opened.
        const bool systemError = ((static_cast<std::uint32_t>(loaded) >> 16) & 0x1FFF) == 7;
        return {std::nullopt, loaded, !systemError};
    }
    return {creation.object->Values(), 0};
}
