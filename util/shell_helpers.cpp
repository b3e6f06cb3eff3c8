#include "util/shell_helpers.h"

#include "platform/platform.h"
#include "util/errors.h"
#include "util/path_helpers.h"

std::string GetSpecialFolderPath(int csidl) {
    return platform::SpecialFolderPath(csidl).value_or(std::string());
}

bool FolderExists(const std::string& path) {
    const std::uint32_t attributes = platform::FileAttributesOf(path);
    return attributes != platform::kInvalidAttributes &&
           (attributes & platform::kAttributeDirectory);
}

namespace {

// Creates the folder after its parent; a bare drive or an existing folder
// counts as present.
bool ForceFolder(const std::string& path) {
    const std::string folder = StripTrailingBackslashes(path);
    if (folder.size() < 3 || FolderExists(folder)) {
        return true;
    }
    const std::string parent = StripTrailingBackslashes(FolderPart(folder));
    if (parent.empty() || parent == folder) {
        return platform::MakeDirectory(folder);
    }
    return ForceFolder(parent) && platform::MakeDirectory(folder);
}

}  // namespace

bool CreateInstallFolder(std::string& path) {
    // An empty path would name the current directory; nothing is created for it.
    if (path.empty()) {
        constexpr std::uint32_t kErrorPathNotFound = 3;
        platform::SetLastErrorCode(kErrorPathNotFound);
        return false;
    }
    const bool absolute = path[0] == '\\' || (path.size() >= 2 && path[1] == ':');
    const std::string full =
        absolute ? path
                 : AddBackslash(platform::CurrentDirectory()) + StripTrailingBackslashes(path);
    if (!FolderExists(full) && !ForceFolder(full)) {
        return false;
    }
    path = full;
    return true;
}

bool WriteStringToFile(const std::string& fileName, const std::string& contents) {
    if (contents.empty()) {
        return platform::RemoveFile(fileName);
    }
    const std::string staging = platform::CreateUniqueFileBeside(fileName);
    if (staging.empty()) {
        return false;
    }
    std::uint32_t failure = 0;
    if (const auto file = platform::CreateFileForWrite(staging)) {
        if (!file->Write(contents) || !file->Flush()) {
            failure = platform::LastErrorCode();
        }
    } else {
        failure = platform::LastErrorCode();
    }  // closed here, before the move
    if (failure == 0) {
        if (platform::ReplaceFileWith(staging, fileName)) {
            return true;
        }
        failure = platform::LastErrorCode();
    }
    platform::RemoveFile(staging);
    platform::SetLastErrorCode(failure);  // the reason, not the clean-up's outcome
    return false;
}

bool DeleteFilesByMask(const std::string& mask) {
    constexpr unsigned kSilent = 0x0004;
    constexpr unsigned kNoConfirmation = 0x0010;
    constexpr unsigned kAllowUndo = 0x0040;
    constexpr unsigned kNoConfirmMkdir = 0x0200;
    constexpr unsigned kNoErrorUi = 0x0400;
    return platform::ShellDelete(
               mask, kSilent | kNoConfirmation | kAllowUndo | kNoConfirmMkdir | kNoErrorUi) == 0;
}

bool Is64BitWindows() {
    switch (platform::QueryWow64()) {
        case platform::Wow64Answer::QueryFailed:
            throw EBadProcessHandle();
        case platform::Wow64Answer::Yes:
            return true;
        case platform::Wow64Answer::QueryAbsent:
        case platform::Wow64Answer::No:
            break;
    }
    return false;
}
