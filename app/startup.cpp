#include "app/startup.h"

#include "app/main_form.h"
#include "install/run_installation.h"
#include "integration/dosbox_search.h"
#include "messages/message_boxes.h"
#include "platform/platform.h"
#include "ui/application.h"
#include "ui/message_box.h"
#include "uninstall/uninstall_command.h"
#include "util/command_line.h"
#include "util/format.h"
#include "util/path_helpers.h"
#include "util/product.h"
#include "util/shell_helpers.h"

namespace {

constexpr char kAdviceText[] =
    "This computer has a 64 bit operating system which cannot directly execute DOS "
    "programs.\n\nTessaly cannot run on this operating system except in XP Mode (which "
    "requires upgrading to Windows 7 Professional) or by using the free program, DOSbox, which "
    "does not appear to be installed on this computer.\n\nClick OK to go to the DOSbox website.  "
    "Download, and install DOSbox to it's default location then start this installer again.";
constexpr char kAdviceCaption[] = "Corvane355 Installer";
constexpr unsigned kAdviceFlags = 49;  // MB_OKCANCEL | MB_ICONEXCLAMATION
constexpr int kIdOk = 1;
// The download page on the DOSBox project's own site.
constexpr char kDosBoxPage[] = "https://www.dosbox.com/download.php?main=1";
}  // namespace

bool CheckPlatform() {
    const bool is64Bit = Is64BitWindows();
    const bool dosBoxFound = is64Bit && FindDosBox(DosBoxPath);
    if (!is64Bit || dosBoxFound) {
        // Only the arguments are searched: a program path such as 'D:/tools/'
        // is no switch.
        if (LowerAscii(ArgumentsOf(platform::CommandLine())).find("/t") == std::string::npos) {
            return true;
        }
    }
    if (MessageBoxTask(nullptr, kAdviceText, kAdviceCaption, kAdviceFlags) == kIdOk) {
        platform::ShellOpen("Open", kDosBoxPage, "", "", platform::kShowNormal);
    }
    return false;
}

namespace {

// What the runtime's last-resort handler does with an error that escapes
// start-up: a system error box, then exit code 1.
int ReportFatal(const std::string& message) {
    ui::MessageBoxSpec box;
    box.caption = "Error";
    box.text = message;
    box.icon = ui::BoxIcon::Error;
    box.standardButtons = ui::kButtonOk;
    ui::ShowMessageBox(box);
    return 1;
}

}  // namespace

int RunInstaller() {
    // The uninstall comes before the platform check: it needs no DOSBox.
    if (const auto code =
            RunUninstallCommand(SplitArguments(ArgumentsOf(platform::CommandLine())))) {
        return *code;
    }
    try {
        if (!CheckPlatform()) {
            return 0;
        }
        ui::Application application;
        application.Initialize();
        application.SetMainFormOnTaskBar(true);
        application.SetTitle(Format("%s Installer Version %s", {kProductName, kProductVersion}));
        TMainForm mainForm(application, RunInstallation);
        application.SetMainForm(mainForm);
        application.Run();
        return 0;
    } catch (const std::exception& error) {
        return ReportFatal(error.what());
    }
}
