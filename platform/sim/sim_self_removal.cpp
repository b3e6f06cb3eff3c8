// The simulated machine's side of removing files, folders and the program
// itself: deletes that look at a file's bytes first, and the temporary copy
// of the program, which here only records what it was asked.

#include <fstream>
#include <iterator>

#include "platform/sim/sim_machine.h"

namespace platform::sim {

namespace fs = std::filesystem;
using namespace errors;

std::string Machine::TempFolder() const {
    return "C:\\users\\user\\AppData\\Local\\Temp\\";
}

bool Machine::RemoveFolder(const std::string& path) {
    std::error_code error;
    const fs::path host = HostPath(path);
    if (fs::is_symlink(fs::symlink_status(host, error))) {
        // As Windows removes a junction: the link goes, whatever its target holds.
        return fs::remove(host, error) || Fail(kErrorAccessDenied);
    }
    if (!fs::is_directory(host, error)) {
        return Fail(fs::exists(host, error) ? kErrorDirectoryName : kErrorFileNotFound);
    }
    if (!fs::is_empty(host, error)) {
        return Fail(kErrorDirNotEmpty);
    }
    return fs::remove(host, error) || Fail(kErrorAccessDenied);
}

Removal Machine::RemoveFileIfContentIs(const std::string& path, std::string_view contents) {
    std::error_code error;
    const fs::path host = HostPath(path);
    if (!fs::exists(host, error) || fs::is_directory(host, error)) {
        Fail(kErrorFileNotFound);
        return Removal::Missing;
    }
    if (IsLocked(path)) {
        Fail(kErrorSharingViolation);
        return Removal::Failed;
    }
    if (fs::is_symlink(fs::symlink_status(host, error)) || ReadFile(path) != contents) {
        return Removal::Different;
    }
    constexpr std::uint32_t kReadOnly = 0x01;
    if (FileAttributesOf(path) & kReadOnly) {
        Fail(kErrorAccessDenied);
        return Removal::Failed;
    }
    fs::remove(host, error);
    return Removal::Removed;
}

TemporaryCopyRun Machine::RunTemporaryCopy(const std::string& arguments) {
    temporaryCopies_.push_back(arguments);
    if (temporaryCopyRun_.outcome == TemporaryCopyRun::Outcome::NotStarted) {
        Fail(kErrorAccessDenied);
    }
    return temporaryCopyRun_;
}

bool Machine::MoveOriginalAside() {
    if (!originalExecutable_) {
        return false;
    }
    const std::string aside = TempFolder() + "tsold.exe";
    if (!MoveFileTo(*originalExecutable_, aside)) {
        return false;
    }
    originalMovedTo_ = aside;
    return true;
}

bool Machine::HandBack(int result, bool deleteOriginal) {
    if (!originalExecutable_) {
        return false;
    }
    handedBack_.emplace_back(result, deleteOriginal);
    if (!deleteOriginal) {
        return false;
    }
    // The original has ended by now: its file may go.
    return RemoveFile(originalMovedTo_.empty() ? *originalExecutable_ : originalMovedTo_);
}

}  // namespace platform::sim
