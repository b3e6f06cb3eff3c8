// The headless side of the main window's acceptance test. It builds the
// installer's main window as the unit tests do (the layout from resources/,
// a machine whose Windows folder is C:\WINDOWS) and checks what the running
// window shows against it:
//
//   main_window_expect labels CONTROLS
//       the labels the running window describes (CONTROLS: the output of
//       probe controls) against the headless window's: the same texts and
//       tops, the labels the window centres centred at their own measured
//       widths, the others at their left edges
//   main_window_expect compare SHOT.ppm X Y PAGE [FOCUSED]
//       a screenshot (the client area at X, Y) of page PAGE (0 welcome,
//       1 folder) against the headless rendering, text left out as
//       screen_compare.h says; the logo's letters are looked for anywhere
//       inside its frame, and of the system's edit box only the blank part
//       of its field is compared (the box's colour). With FOCUSED (a
//       control's name) the keyboard cues show and that control has the focus.
//   main_window_expect cue NAME PAGE
//       where the dotted focus rectangle of the button NAME lies in the
//       window's client area: left, top, right and bottom (exclusive), for a
//       look at its dots, which fall inside the caption's text zone
//   main_window_expect rect NAME PAGE
//       where the control lies in the window's client area: X Y W H
//   main_window_expect render OUT.ppm PAGE [FOCUSED]
//       the headless picture, for a look
//
// The window is laid out at EXPECT_DPI when set.
// Exit code 0 when everything matches, 1 when not, 2 on bad arguments.

#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "platform/sim/sim_machine.h"
#include "tests/acceptance/native/screen_compare.h"
#include "tests/unit/test_resources.h"
#include "ui/application.h"
#include "ui/edit.h"
#include "ui/headless/headless_ui.h"
#include "ui/image.h"
#include "ui/label.h"
#include "ui/page_control.h"

namespace {

using ui::Rect;

int dpi = ui::kDesignDpi;
int Scaled(int length) {
    return ui::ScaleLength(length, dpi);
}

// One line of the running window's description.
struct Described {
    Rect rect;
    std::string text;
};

std::map<std::string, Described> ReadDescription(const std::string& path) {
    std::map<std::string, Described> controls;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        std::vector<std::string> fields;
        std::stringstream split(line);
        std::string field;
        while (std::getline(split, field, '\t')) {
            fields.push_back(field);
        }
        if (fields.size() >= 7) {
            controls[fields[0]] = {Rect::FromSize(std::stoi(fields[1]), std::stoi(fields[2]),
                                                  std::stoi(fields[3]), std::stoi(fields[4])),
                                   fields[6]};
        }
    }
    return controls;
}

// The text as the description escapes it.
std::string Escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        out += c == '\\' ? std::string("\\\\") : std::string(1, c);
    }
    return out;
}

struct Window {
    Window() {
        LoadLayoutResources(machine);
        form = std::make_unique<TMainForm>(application, [](const std::string&) { return true; });
        form->Show();
    }
    platform::sim::Machine machine;
    ui::Application application;
    std::unique_ptr<TMainForm> form;
};

// The labels the window centres in their parents once their texts are set.
const std::set<std::string> kCentred = {"lbIns1", "lbIns2", "lbP1Progname", "lbP1ProgVer"};

int Labels(const std::map<std::string, Described>& running) {
    Window window;
    int wrong = 0;
    int checked = 0;
    screen_compare::ForEachControl(*window.form, [&](ui::Control& control) {
        auto* label = dynamic_cast<ui::Label*>(&control);
        if (label == nullptr) {
            return;
        }
        ++checked;
        const auto found = running.find(label->name());
        if (found == running.end()) {
            std::printf("  %s: not in the running window\n", label->name().c_str());
            ++wrong;
            return;
        }
        const Described& real = found->second;
        const ui::Point parent = screen_compare::OffsetInForm(*label->parent());
        const int parentWidth = label->parent()->width();
        const bool centred = kCentred.count(label->name()) == 1;
        const int left =
            centred ? parent.x + (parentWidth - real.rect.width()) / 2 : parent.x + label->left();
        const int top = parent.y + label->top();
        if (real.text != Escaped(label->caption()) || real.rect.left != left ||
            real.rect.top != top) {
            std::printf("  %s: expected \"%s\" at %d,%d, got \"%s\" at %d,%d\n",
                        label->name().c_str(), Escaped(label->caption()).c_str(), left, top,
                        real.text.c_str(), real.rect.left, real.rect.top);
            ++wrong;
        }
    });
    std::printf("%d labels, %d wrong\n", checked, wrong);
    return wrong == 0 ? 0 : 1;
}

// The window on the page, with every text taken out of the picture; the
// zones say where the running window draws text instead.
std::vector<screen_compare::TextZone> Prepare(Window& window, int page,
                                              const char* focused = nullptr) {
    auto& pages = dynamic_cast<ui::PageControl&>(*window.form->Find("PageControl1"));
    pages.SetActivePageIndex(page);
    if (focused != nullptr) {
        window.form->SetKeyboardCues({true, true});
        window.form->SetActiveControl(window.form->Find(focused));
    }
    std::vector<screen_compare::TextZone> zones = screen_compare::TakeTextOut(*window.form);
    // The logo's letters: anywhere inside the frame, white over red.
    auto& logo = dynamic_cast<ui::Image&>(*window.form->Find("Image1"));
    const Rect inside =
        Rect::FromSize(Scaled(5), Scaled(5), logo.width() - Scaled(10), logo.height() - Scaled(10));
    logo.canvas().SetBrush(ui::colors::kRed);
    logo.canvas().FillRect(inside);
    const ui::Point at = screen_compare::OffsetInForm(logo);
    zones.push_back({inside.Offset(at.x, at.y), ui::colors::kWhite});
    // The system draws the edit box; its field's right part holds no text.
    auto& edit = dynamic_cast<ui::Edit&>(*window.form->Find("edInstallDir"));
    if (edit.Showing()) {
        const ui::Point e = screen_compare::OffsetInForm(edit);
        zones.push_back({Rect::FromSize(e.x, e.y, edit.width(), edit.height()), ui::Color::None()});
        zones.push_back({Rect::FromSize(e.x + edit.width() * 3 / 4, e.y + Scaled(4),
                                        edit.width() / 5, edit.height() - Scaled(8)),
                         ui::ResolveColor(edit.color())});
    }
    return zones;
}

int Usage() {
    std::fprintf(stderr,
                 "usage: main_window_expect labels CONTROLS | compare SHOT.ppm X Y PAGE "
                 "[FOCUSED] | cue NAME PAGE | rect NAME PAGE | render OUT.ppm PAGE [FOCUSED]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    dpi = screen_compare::UseExpectedDpi();
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "labels" && argc == 3) {
        return Labels(ReadDescription(argv[2]));
    }
    if (command == "compare" && (argc == 6 || argc == 7)) {
        ui::headless::PixelBuffer shot(0, 0);
        if (!screen_compare::ReadPpm(argv[2], shot)) {
            std::fprintf(stderr, "cannot read %s\n", argv[2]);
            return 2;
        }
        Window window;
        const auto zones = Prepare(window, std::atoi(argv[5]), argc == 7 ? argv[6] : nullptr);
        return screen_compare::Compare(shot, {std::atoi(argv[3]), std::atoi(argv[4])},
                                       ui::headless::Render(*window.form), zones);
    }
    if (command == "rect" && argc == 4) {
        Window window;
        auto& pages = dynamic_cast<ui::PageControl&>(*window.form->Find("PageControl1"));
        pages.SetActivePageIndex(std::atoi(argv[3]));
        ui::Control* control = window.form->Find(argv[2]);
        if (control == nullptr) {
            return Usage();
        }
        const ui::Point at = screen_compare::OffsetInForm(*control);
        std::printf("%d %d %d %d\n", at.x, at.y, control->width(), control->height());
        return 0;
    }
    if (command == "cue" && argc == 4) {
        Window window;
        auto& pages = dynamic_cast<ui::PageControl&>(*window.form->Find("PageControl1"));
        pages.SetActivePageIndex(std::atoi(argv[3]));
        auto* button = dynamic_cast<widgets::GradientButton*>(window.form->Find(argv[2]));
        if (button == nullptr) {
            return Usage();
        }
        const Rect whole = Rect::FromSize(0, 0, button->width(), button->height());
        const Rect cue =
            widgets::FocusRect(widgets::ButtonFace(whole, button->colors(), button->rounded()));
        const ui::Point at = screen_compare::OffsetInForm(*button);
        std::printf("%d %d %d %d\n", at.x + cue.left, at.y + cue.top, at.x + cue.right,
                    at.y + cue.bottom);
        return 0;
    }
    if (command == "render" && (argc == 4 || argc == 5)) {
        Window window;
        Prepare(window, std::atoi(argv[3]), argc == 5 ? argv[4] : nullptr);
        return ui::headless::Render(*window.form).SavePpm(argv[2]) ? 0 : 1;
    }
    return Usage();
}
