// Runs one installation into the folder given on its command line, the way
// the installer's main window does from its Install button, for the
// acceptance tests of the progress window and the run (never shipped):
//
//   run_installation_gui FOLDER
//
// The application is set up as start-up sets it up (DOSBox looked for on
// 64-bit Windows); the run shows its own progress window and messages. Exit code 0 when the run
// reports success, 1 when it reports failure, 2 when an error escaped it (shown first in the
// application's error box).

#include <exception>
#include <string>

#include "install/run_installation.h"
#include "integration/dosbox_search.h"
#include "platform/platform.h"
#include "ui/application.h"
#include "ui/entry.h"
#include "util/command_line.h"
#include "util/shell_helpers.h"

int ApplicationMain() {
    ui::Application application;
    application.Initialize();
    application.SetMainFormOnTaskBar(true);
    application.SetTitle("Tessaly Installer Version 3.24");
    std::string folder = ArgumentsOf(platform::CommandLine());
    folder.erase(0, folder.find_first_not_of(' '));
    folder.erase(folder.find_last_not_of(' ') + 1);
    if (folder.size() >= 2 && folder.front() == '"' && folder.back() == '"') {
        folder = folder.substr(1, folder.size() - 2);
    }
    try {
        // As start-up leaves it on 64-bit Windows: DosBoxPath names the
        // dosbox.exe found under Program Files, for the completion step.
        if (Is64BitWindows()) {
            FindDosBox(DosBoxPath);
        }
        return RunInstallation(folder) ? 0 : 1;
    } catch (const std::exception& error) {
        application.ShowException(error);
        return 2;
    }
}
