#include "util/shell_helpers.h"

#include "platform/platform.h"
#include "util/errors.h"
#include "util/path_helpers.h"

std::string GetSpecialFolderPath(int csidl) {
    return platform::SpecialFolderPath(csidl).value_or(std::string());
}

namespace {

bool FolderExists(const std::string& path) {
    const std::uint32_t attributes = platform::FileAttributesOf(path);
    return attributes != platform::kInvalidAttributes &&
           (attributes & platform::kAttributeDirectory);
}

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
    std::uint32_t ignored = 0;
    return WriteStringToFile(fileName, contents, ignored);
}

bool WriteStringToFile(const std::string& fileName, const std::string& contents,
                       std::uint32_t& error) {
    // The error code is read right after the step that failed, before any
    // clean-up call can replace it.
    error = 0;
    if (contents.empty()) {
        if (platform::RemoveFile(fileName)) {
            return true;
        }
        error = platform::LastErrorCode();
        return false;
    }
    const std::string staging = platform::CreateUniqueFileBeside(fileName);
    if (staging.empty()) {
        error = platform::LastErrorCode();
        return false;
    }
    bool written = false;
    if (const auto file = platform::CreateFileForWrite(staging)) {
        written = file->Write(contents) && file->Flush();
        if (!written) {
            error = platform::LastErrorCode();
        }
    } else {
        error = platform::LastErrorCode();
    }  // the file is closed here, before the move
    if (written) {
        if (platform::ReplaceFileWith(staging, fileName)) {
            return true;
        }
        error = platform::LastErrorCode();
    }
    platform::RemoveFile(staging);
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
