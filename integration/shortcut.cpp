#include "integration/shortcut.h"

#include "util/path_helpers.h"

bool HoldsWhatWasWritten(const platform::ShellLinkValues& link, const Shortcut& written) {
    return SamePath(link.target, written.target) &&
           SamePath(link.workingDirectory, FolderPart(written.target)) &&
           link.arguments == written.arguments && link.description == written.description &&
           SamePath(link.iconFile, written.iconFile) && link.iconIndex == written.iconIndex &&
           link.hotKey == written.hotKey && link.showCommand == platform::kShowNormal;
}
