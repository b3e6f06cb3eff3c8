#include "integration/shortcut.h"

#include "util/path_helpers.h"

namespace {

constexpr int kShowNormal = 1;

bool SamePath(const std::string& a, const std::string& b) {
    return LowerAscii(a) == LowerAscii(b);
}

}  // namespace

bool HoldsWhatWasWritten(const platform::ShellLinkValues& link, const Shortcut& written) {
    return SamePath(link.target, written.target) &&
           SamePath(link.workingDirectory, FolderPart(written.target)) &&
           link.arguments == written.arguments && link.description == written.description &&
           SamePath(link.iconFile, written.iconFile) && link.iconIndex == written.iconIndex &&
           link.hotKey == written.hotKey && link.showCommand == kShowNormal;
}
