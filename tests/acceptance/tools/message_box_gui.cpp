// Shows one message box the way the installer does and exits with its
// result, for the acceptance tests of both box implementations:
//
//   message_box_gui task|own box FLAGS CAPTION TEXT      (MessageBoxTask)
//   message_box_gui task|own dialog TYPE BUTTONS TEXT    (MessageDialogTask)
//   message_box_gui task|own text TEXT                   (ShowMessageText)
//   message_box_gui raise ITEM|-substr
//
// "task" uses the system's task dialog where it exists; "own" forces the
// toolkit's own window. FLAGS, TYPE and BUTTONS are numbers (0x.. allowed).
// "raise" shows an empty form captioned "Raise" in an application titled
// "Escaped Error"; the form's first close attempt loads payload item ITEM
// (or, for "-substr", asks an empty string for a part past its end), and
// what that raises escapes the handler into the toolkit's error box. The next
// attempt closes the form and ends the program with 0. Texts are taken from
// the command line as UTF-8.

#include <cstdlib>
#include <string>
#include <vector>

#include "app/message_box_mapping.h"
#include "install/payload_loader.h"
#include "tests/acceptance/tools/utf8_arguments.h"
#include "ui/application.h"
#include "ui/entry.h"
#include "ui/form.h"
#include "ui/message_box.h"
#include "ui/win32/own_message_window.h"

namespace {

int Show(bool own, const ui::MessageBoxSpec& spec) {
    return own ? ui::win32::ShowOwnMessageWindow(spec) : ui::ShowMessageBox(spec);
}

int RaiseFromCloseQuery(const std::string& what) {
    ui::Application application;
    application.Initialize();
    application.SetMainFormOnTaskBar(true);
    application.SetTitle("Escaped Error");
    ui::Form form("Raise");
    form.SetCaption("Raise");
    form.SetClientSize(320, 120);
    form.SetPosition(ui::FormPosition::ScreenCenter);
    form.SetColor(ui::Color::System(ui::SystemColor::BtnFace));
    bool raised = false;
    form.onCloseQuery = [&] {
        if (!raised) {
            raised = true;
            if (what == "-substr") {
                form.SetCaption(std::string().substr(1));
            }
            LoadPayloadItem(what);
        }
        return true;
    };
    application.SetMainForm(form);
    application.Run();
    return 0;
}

}  // namespace

int ApplicationMain() {
    const std::vector<std::string> argv = Utf8Arguments();
    const std::size_t argc = argv.size();
    if (argc == 3 && argv[1] == "raise") {
        return RaiseFromCloseQuery(argv[2]);
    }
    if (argc < 4) {
        return 255;
    }
    const bool own = argv[1] == "own";
    const std::string& kind = argv[2];
    if (kind == "box" && argc == 6) {
        const auto flags = static_cast<std::uint32_t>(std::strtoul(argv[3].c_str(), nullptr, 0));
        return MessageBoxTaskResult(flags,
                                    Show(own, DescribeMessageBoxTask(argv[5], argv[4], flags)));
    }
    if (kind == "dialog" && argc == 6) {
        const int type = static_cast<int>(std::strtol(argv[3].c_str(), nullptr, 0));
        const auto buttons = static_cast<std::uint16_t>(std::strtoul(argv[4].c_str(), nullptr, 0));
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
