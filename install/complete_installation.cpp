#include "install/complete_installation.h"

void CompleteInstallation(const std::string& /*folder*/, const std::string& /*desktopFolder*/,
                          std::string& /*message*/) {
    // The message stays as it is until the desktop integration fills this in.
}
