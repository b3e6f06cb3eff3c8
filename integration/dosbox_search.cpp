#include "integration/dosbox_search.h"

#include <iterator>
#include <utility>
#include <vector>

#include "integration/shell_link.h"
#include "platform/platform.h"
#include "util/path_helpers.h"
#include "util/shell_helpers.h"

std::string DosBoxPath;

namespace {

using platform::RegistryRoot;
using platform::RegistryView;

constexpr const char* kPrograms[] = {"dosbox.exe", "dosbox-x.exe"};
constexpr std::size_t kMaxNameLength = 260;

// The roots and views a record may be in, in the order they are asked.
constexpr std::pair<RegistryRoot, RegistryView> kRecordPlaces[] = {
    {RegistryRoot::CurrentUser, RegistryView::Own},
    {RegistryRoot::LocalMachine, RegistryView::Bits64},
    {RegistryRoot::LocalMachine, RegistryView::Bits32},
};

// What the user or an administrator put there, and nobody else.
bool Trusted(platform::Owner owner) {
    return owner == platform::Owner::User || owner == platform::Owner::Administrators;
}

bool HiddenOrSystem(std::uint32_t attributes) {
    return attributes & (platform::kAttributeHidden | platform::kAttributeSystem);
}

bool IsProgramName(const std::string& name) {
    const std::string lower = LowerAscii(name);
    return lower == kPrograms[0] || lower == kPrograms[1];
}

// A folder that holds one of the programs (the first `count` of them):
// that program's path.
std::optional<std::string> ProgramIn(const std::string& folder,
                                     std::size_t count = std::size(kPrograms)) {
    if (folder.empty()) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < count; ++i) {
        const char* program = kPrograms[i];
        const std::string path = AddBackslash(folder) + program;
        if (platform::FileExists(path)) {
            return path;
        }
    }
    return std::nullopt;
}

// A recorded place: the program itself, or a folder that holds it.
std::optional<std::string> ProgramAt(const std::string& place) {
    const std::string trimmed = StripTrailingBackslashes(place);
    if (IsProgramName(FileNamePart(trimmed)) && platform::FileExists(trimmed)) {
        return trimmed;
    }
    return ProgramIn(trimmed);
}

std::optional<std::string> InProgramFiles64() {
    const auto folder = platform::EnvironmentVariable("ProgramW6432");
    return folder ? FindInDosBoxFolder(AddBackslash(*folder), false) : std::nullopt;
}

std::optional<std::string> InUserPrograms() {
    std::string folder = platform::UserProgramFilesFolder().value_or(std::string());
    if (folder.empty()) {
        // Where Windows puts FOLDERID_UserProgramFiles by default.
        const std::string local = GetSpecialFolderPath(platform::kCsidlLocalAppData);
        folder = local.empty() ? std::string() : AddBackslash(local) + "Programs";
    }
    return folder.empty() ? std::nullopt : FindInDosBoxFolder(AddBackslash(folder), false);
}

std::optional<std::string> InRecords() {
    for (const auto& [root, view] : kRecordPlaces) {
        for (const char* key : {"Software\\dosbox-staging", "Software\\DOSBox-X"}) {
            if (const auto path = platform::RegistryString(root, key, "Path", view)) {
                if (const auto program = ProgramAt(*path)) {
                    return program;
                }
            }
        }
    }
    const std::string entries = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
    for (const auto& [root, view] : kRecordPlaces) {
        for (const std::string& name : platform::RegistrySubkeys(root, entries, view)) {
            const std::string key = entries + "\\" + name;
            const auto shown = platform::RegistryString(root, key, "DisplayName", view);
            if (!shown || LowerAscii(shown->substr(0, 6)) != "dosbox") {
                continue;
            }
            if (const auto location =
                    platform::RegistryString(root, key, "InstallLocation", view)) {
                if (const auto program = ProgramAt(*location)) {
                    return program;
                }
            }
        }
    }
    return std::nullopt;
}

std::optional<std::string> InWindowsDriveRoot() {
    const std::string windows = GetSpecialFolderPath(platform::kCsidlWindows);
    const std::size_t slash = windows.find('\\');
    return slash == std::string::npos ? std::nullopt
                                      : FindInDosBoxFolder(windows.substr(0, slash + 1), false,
                                                           nullptr, FolderTrust::OwnedOnly);
}

// The .lnk files of a folder and of its subfolders one level down.
std::vector<std::string> ShortcutsIn(const std::string& folder) {
    std::vector<std::string> links;
    std::vector<std::string> subfolders;
    if (auto listing = platform::FindFiles(folder + "*.*")) {
        while (const auto entry = listing->Next()) {
            if (entry->name == "." || entry->name == "..") {
                continue;
            }
            if (entry->attributes & platform::kAttributeDirectory) {
                subfolders.push_back(folder + entry->name + "\\");
            } else if (LowerAscii(entry->name).ends_with(".lnk")) {
                links.push_back(folder + entry->name);
            }
        }
    }
    for (const std::string& subfolder : subfolders) {
        if (auto listing = platform::FindFiles(subfolder + "*.lnk")) {
            while (const auto entry = listing->Next()) {
                if (!(entry->attributes & platform::kAttributeDirectory)) {
                    links.push_back(subfolder + entry->name);
                }
            }
        }
    }
    return links;
}

std::optional<std::string> InStartMenuShortcuts() {
    // The shell-link object needs COM, and the start-up has none yet.
    const platform::ComApartment com;
    for (const int csidl : {platform::kCsidlCommonPrograms, platform::kCsidlPrograms}) {
        const std::string folder = GetSpecialFolderPath(csidl);
        if (folder.empty()) {
            continue;
        }
        for (const std::string& link : ShortcutsIn(AddBackslash(folder))) {
            const ReadLink read = ReadShellLink(link);
            if (read.values && IsProgramName(FileNamePart(read.values->target)) &&
                platform::FileExists(read.values->target)) {
                return read.values->target;
            }
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> FindInDosBoxFolder(const std::string& base, bool dosBoxExeOnly,
                                              std::string* firstCandidate, FolderTrust trust) {
    auto listing = platform::FindFiles(base + "*.*");
    if (!listing) {
        return std::nullopt;
    }
    while (const auto entry = listing->Next()) {
        if (HiddenOrSystem(entry->attributes)) {
            continue;
        }
        const std::string name = LowerAscii(entry->name.substr(0, kMaxNameLength));
        if (name.find("dosbox") == std::string::npos) {
            continue;
        }
        const std::string folder = AddBackslash(base + name);
        if (firstCandidate != nullptr && firstCandidate->empty()) {
            *firstCandidate = folder + kPrograms[0];
        }
        // An entry without the program (a leftover folder of an older
        // DOSBox, a downloaded setup program) is passed over.
        const auto program = ProgramIn(folder, dosBoxExeOnly ? 1 : std::size(kPrograms));
        if (program && (trust == FolderTrust::AnyOwner || (Trusted(platform::OwnerOf(folder)) &&
                                                           Trusted(platform::OwnerOf(*program))))) {
            return program;
        }
    }
    return std::nullopt;
}

std::optional<std::string> FindDosBoxElsewhere() {
    using Place = std::optional<std::string> (*)();
    const Place places[] = {
        InProgramFiles64, InUserPrograms, InRecords, InWindowsDriveRoot, InStartMenuShortcuts,
    };
    for (const Place place : places) {
        if (const auto program = place()) {
            return LowerAscii(*program);
        }
    }
    return std::nullopt;
}

bool FindDosBox(std::string& path) {
    const std::string base =
        LowerAscii(AddBackslash(GetSpecialFolderPath(platform::kCsidlProgramFiles)));
    path.clear();
    // The first candidate stays in the output when no place holds DOSBox.
    if (const auto found = FindInDosBoxFolder(base, true, &path)) {
        path = *found;
        return true;
    }
    if (const auto found = FindDosBoxElsewhere()) {
        path = *found;
        return true;
    }
    return false;
}
