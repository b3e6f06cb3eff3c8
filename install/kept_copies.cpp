#include "install/kept_copies.h"

#include <cstdint>
#include <optional>
#include <utility>

#include "platform/platform.h"
#include "util/format.h"
#include "util/path_helpers.h"
#include "util/shell_helpers.h"

namespace {

// Whether the file holds exactly these bytes; the sizes are compared first,
// so a changed length costs no read. Nothing when the file cannot be opened
// or read, with the last error saying why.
std::optional<bool> HoldsExactly(const std::string& path, const std::string& contents) {
    const auto size = platform::FileSizeOf(path);
    if (!size) {
        return std::nullopt;
    }
    if (*size != contents.size()) {
        return false;
    }
    const auto bytes = platform::ReadWholeFile(path);
    if (!bytes) {
        return std::nullopt;
    }
    return *bytes == contents;
}

// 'KEPT0001' to 'KEPT9999': eight characters, so DOS sees the name whole.
std::string KeptFolderName(int number) {
    const std::string digits = std::to_string(number);
    return "KEPT" + std::string(4 - digits.size(), '0') + digits;
}

}  // namespace

KeptCopies::KeptCopies(std::string folder)
    : folder_(std::move(folder)),
      toRecycleBin_(platform::DriveTypeOf(RootPart(folder_)) == platform::DriveType::Fixed) {}

bool KeptCopies::KeepIfChanged(const std::string& path, const std::string& contents) {
    const std::uint32_t attributes = platform::FileAttributesOf(path);
    if (attributes == platform::kInvalidAttributes ||
        (attributes & (platform::kAttributeDirectory | platform::kAttributeReadOnly))) {
        return true;
    }
    // A file that cannot even be read (another program holds it) is left
    // alone with that reason, before the shell is asked anything about it.
    const std::optional<bool> same = HoldsExactly(path, contents);
    if (!same) {
        return false;
    }
    if (*same) {
        return true;
    }
    if (!(toRecycleBin_ ? RecycleFile(path) : MoveToKeptFolder(path))) {
        return false;
    }
    ++count_;
    return true;
}

bool KeptCopies::MoveToKeptFolder(const std::string& path) {
    constexpr int kLastNumber = 9999;
    for (int number = 1; keptFolder_.empty(); ++number) {
        if (number > kLastNumber) {
            platform::SetLastErrorCode(platform::errors::kErrorAlreadyExists);
            return false;
        }
        const std::string candidate = folder_ + KeptFolderName(number);
        if (platform::FileAttributesOf(candidate) != platform::kInvalidAttributes) {
            continue;  // an earlier run's, or something of the user's
        }
        if (platform::MakeDirectory(candidate)) {
            keptFolder_ = candidate;
        } else if (platform::LastErrorCode() != platform::errors::kErrorAlreadyExists) {
            return false;  // tried again at the next changed file
        }
    }
    return platform::MoveFileTo(path, keptFolder_ + "\\" + FileNamePart(path));
}

std::string KeptCopies::Notice() const {
    if (count_ == 0) {
        return {};
    }
    const std::string where = toRecycleBin_ ? "the Recycle Bin" : keptFolder_;
    return count_ == 1
               ? Format("The old copy of 1 changed file was kept in %s.", {where})
               : Format("The old copies of %d changed files were kept in %s.", {count_, where});
}
