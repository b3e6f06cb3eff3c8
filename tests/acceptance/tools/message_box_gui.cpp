// Shows one message box the way the installer does and exits with its
// result, for the acceptance tests of both box implementations:
//
//   message_box_gui task|own box FLAGS CAPTION TEXT      (MessageBoxTask)
//   message_box_gui task|own dialog TYPE BUTTONS TEXT    (MessageDialogTask)
//   message_box_gui task|own text TEXT                   (ShowMessageText)
//
// "task" uses the system's task dialog where it exists; "own" forces the
// toolkit's own window. FLAGS, TYPE and BUTTONS are numbers (0x.. allowed).

#include <cstdlib>
#include <string>

#include "app/message_box_mapping.h"
#include "ui/entry.h"
#include "ui/message_box.h"
#include "ui/win32/own_message_window.h"

namespace {

int Show(bool own, const ui::MessageBoxSpec& spec) {
    return own ? ui::win32::ShowOwnMessageWindow(spec) : ui::ShowMessageBox(spec);
}

}  // namespace

int ApplicationMain() {
    const int argc = __argc;
    char** argv = __argv;
    if (argc < 4) {
        return 255;
    }
    const bool own = std::string(argv[1]) == "own";
    const std::string kind = argv[2];
    if (kind == "box" && argc == 6) {
        const auto flags = static_cast<std::uint32_t>(std::strtoul(argv[3], nullptr, 0));
        return MessageBoxTaskResult(flags,
                                    Show(own, DescribeMessageBoxTask(argv[5], argv[4], flags)));
    }
    if (kind == "dialog" && argc == 6) {
        const int type = static_cast<int>(std::strtol(argv[3], nullptr, 0));
        const auto buttons = static_cast<std::uint16_t>(std::strtoul(argv[4], nullptr, 0));
        return MessageDialogTaskResult(
            Show(own, DescribeMessageDialogTask(argv[5], type, buttons)));
    }
    if (kind == "text" && argc == 4) {
        ui::MessageBoxSpec spec;
        spec.text = argv[3];
        spec.icon = ui::BoxIcon::Information;
        return Show(own, spec);
    }
    return 255;
}
