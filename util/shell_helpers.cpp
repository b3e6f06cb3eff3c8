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

std::string AbsoluteFolderPath(const std::string& path) {
    const bool absolute =
        !path.empty() && (path[0] == '\\' || (path.size() >= 2 && path[1] == ':'));
    return absolute ? path
                    : AddBackslash(platform::CurrentDirectory()) + StripTrailingBackslashes(path);
}

bool CreateInstallFolder(std::string& path) {
    // An empty path would name the current directory; nothing is created for it.
    if (path.empty()) {
        platform::SetLastErrorCode(platform::errors::kErrorPathNotFound);
        return false;
    }
    const std::string full = AbsoluteFolderPath(path);
    if (!FolderExists(full) && !ForceFolder(full)) {
        return false;
    }
    path = full;
    return true;
}

bool WriteStringToFile(const std::string& fileName, const std::string& contents,
                       const std::function<bool()>& beforeReplace) {
    if (contents.empty()) {
        return platform::RemoveFile(fileName);
    }
    const std::string staging = platform::CreateUniqueFileBeside(fileName);
    if (staging.empty()) {
        return false;
    }
    // Each failed step's code is read at once: closing the file may change it.
    bool failed = false;
    std::uint32_t failure = 0;
    const auto fail = [&] {
        failed = true;
        failure = platform::LastErrorCode();
    };
    if (const auto file = platform::CreateFileForWrite(staging)) {
        if (!file->Write(contents) || !file->Flush()) {
            fail();
        }
    } else {
        fail();
    }  // closed here, before the move
    if (!failed && beforeReplace && !beforeReplace()) {
        fail();
    }
    if (!failed) {
        if (platform::ReplaceFileWith(staging, fileName)) {
            return true;
        }
        fail();
    }
    platform::RemoveFile(staging);
    platform::SetLastErrorCode(failure);  // the reason, not the clean-up's outcome
    return false;
}

namespace {

// Silent, no questions, to the Recycle Bin, no error boxes.
constexpr unsigned kQuietRecycle = 0x0004 | 0x0010 | 0x0040 | 0x0200 | 0x0400;

}  // namespace

bool DeleteFilesByMask(const std::string& mask) {
    return platform::ShellDelete(mask, kQuietRecycle) == 0;
}

bool RecycleFile(const std::string& path) {
    constexpr unsigned kWantNukeWarning = 0x4000;
    const int result = platform::ShellDelete(path, kQuietRecycle | kWantNukeWarning);
    if (result == 0 && !platform::FileExists(path)) {
        return true;
    }
    if (result == 0) {
        // The shell gave up on the file without a code (it does so for a file
        // another program holds): a file that cannot even be read says why;
        // otherwise the user chose to keep it.
        if (platform::ReadWholeFile(path)) {
            platform::SetLastErrorCode(platform::errors::kErrorCancelled);
        }
        return false;
    }
    // The shell's own DE_ codes (0x71 to 0xB7, 0x402, 0x10000) are no system
    // error codes; those leave no reason rather than a wrong one.
    platform::SetLastErrorCode(result > 0 && result < 0x71 ? static_cast<std::uint32_t>(result)
                                                           : 0);
    return false;
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
