// Runs the installer's desktop set-up on a folder that is already filled, the
// way the installation run ends, for the acceptance tests:
//
//   desktop_setup_gui shortcuts FOLDER   CreateDosBoxShortcuts on FOLDER and
//                                        the user's desktop
//   desktop_setup_gui complete FOLDER    CompleteInstallation on the same,
//                                        then the final message captioned
//                                        "Tessaly", as the run shows it
//
// On 64-bit Windows DOSBox is looked for under Program Files first, as the
// start-up does. COM is initialised as the application does. Exit code 0
// after an orderly end, 1 when an error escaped (its text on standard error),
// 2 for a wrong command line.

#include <cstdio>
#include <string>
#include <vector>

#include "app/dosbox_path.h"
#include "app/message_boxes.h"
#include "app/startup.h"
#include "install/complete_installation.h"
#include "integration/dosbox_shortcuts.h"
#include "platform/platform.h"
#include "tests/acceptance/tools/utf8_arguments.h"
#include "ui/application.h"
#include "ui/entry.h"
#include "util/path_helpers.h"
#include "util/shell_helpers.h"

int ApplicationMain() {
    const std::vector<std::string> arguments = Utf8Arguments();
    if (arguments.size() != 3) {
        return 2;
    }
    const std::string& command = arguments[1];
    const std::string folder = AddBackslash(arguments[2]);
    try {
        ui::Application application;
        application.Initialize();
        if (Is64BitWindows()) {
            FindDosBox(DosBoxPath);
        }
        const std::string desktop = AddBackslash(GetSpecialFolderPath(platform::kCsidlDesktop));
        if (command == "shortcuts") {
            CreateDosBoxShortcuts(folder, desktop);
            return 0;
        }
        if (command == "complete") {
            std::string message;
            CompleteInstallation(folder, desktop, message);
            if (!message.empty()) {
                ShowMessageCaption("Tessaly", message);
            }
            return 0;
        }
        return 2;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}
