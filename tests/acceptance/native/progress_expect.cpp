// The headless side of the progress window's acceptance test. It builds the
// progress window from the installer's layout as the run does, brings it
// into a state, and says what the window under Wine should show:
//
//   progress_expect centre NAME [STATE]         the centre of a control, in
//                                               the window's client coordinates
//   progress_expect render OUT.ppm STATE        the expected picture
//   progress_expect compare SHOT.ppm X Y STATE [FOCUSED]
//                                               compares a screenshot whose
//                                               window client area starts at X, Y;
//                                               with FOCUSED (a button's name) the
//                                               keyboard cues show and it has the focus
//   progress_expect cue NAME STATE              where the button's dotted focus
//                                               rectangle lies: left top right bottom
//
// STATE is writing:FILES:DONE:TOTAL (FILES announced, DONE of TOTAL bytes
// reported, as while paused after that file) or finished:TOTAL (every file
// written, waiting for OK). Text is compared loosely (screen_compare.h).
// The window is laid out at EXPECT_DPI when set.
// Exit code 0 when everything matches, 1 when not, 2 on bad arguments.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "install/inst_progress_form.h"
#include "platform/sim/sim_machine.h"
#include "screen_compare.h"
#include "tests/unit/test_resources.h"
#include "ui/application.h"
#include "ui/headless/headless_ui.h"
#include "widgets/button_look.h"
#include "widgets/gradient_button.h"

namespace {

struct State {
    bool finished = false;
    int files = 0;
    std::uint32_t done = 0;
    std::uint32_t total = 0;
};

bool ParseState(const std::string& text, State& state) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : text + ":") {
        if (c == ':') {
            parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    try {
        if (parts.size() == 4 && parts[0] == "writing") {
            state.files = std::stoi(parts[1]);
            state.done = static_cast<std::uint32_t>(std::stoul(parts[2]));
            state.total = static_cast<std::uint32_t>(std::stoul(parts[3]));
            return true;
        }
        if (parts.size() == 2 && parts[0] == "finished") {
            state.finished = true;
            state.files = 10;
            state.total = state.done = static_cast<std::uint32_t>(std::stoul(parts[1]));
            return true;
        }
    } catch (const std::exception&) {
    }
    return false;
}

// The window in that state, handed to `look` (which may change it).
template <typename Look>
void InState(const State& state, const Look& look) {
    platform::sim::Machine machine;
    LoadLayoutResources(machine);
    ui::Application application;
    ui::headless::PumpScript pumps;
    TInstProgressForm form(application);
    form.SetProgramName("Tessaly");
    form.SetStage("Installing ...");
    form.Show();
    form.SetTotalBytes(state.total);
    for (int i = 0; i < state.files; ++i) {
        form.SetCurrentFile("C:\\kr\\file" + std::to_string(i));
    }
    form.SetBytesDone(state.done);
    if (!state.finished) {
        look(form);
        return;
    }
    // The final wait: look at the window inside it, then press OK.
    pumps.At(pumps.pumps() + 1, [&] {
        ui::Control* ok = form.Find("btnCancel");
        look(form);
        ui::headless::Click(form, ui::headless::CentreOf(*ok));
    });
    form.FinishProgress();
}

int Usage() {
    std::fprintf(
        stderr,
        "usage: progress_expect centre NAME [STATE] | render OUT.ppm STATE | compare SHOT.ppm X Y "
        "STATE [FOCUSED] | cue NAME STATE\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    screen_compare::UseExpectedDpi();
    if (argc < 3) {
        return Usage();
    }
    const std::string command = argv[1];
    State state;
    if (command == "centre" && (argc == 3 || (argc == 4 && ParseState(argv[3], state)))) {
        int result = 1;
        InState(state, [&](TInstProgressForm& form) {
            if (ui::Control* control = form.Find(argv[2])) {
                const ui::Point at = ui::headless::CentreOf(*control);
                std::printf("%d %d\n", at.x, at.y);
                result = 0;
            }
        });
        return result;
    }
    if (command == "render" && argc == 4 && ParseState(argv[3], state)) {
        bool saved = false;
        InState(state, [&](TInstProgressForm& form) {
            saved = ui::headless::Render(form).SavePpm(argv[2]);
        });
        return saved ? 0 : 1;
    }
    if (command == "cue" && argc == 4 && ParseState(argv[3], state)) {
        int result = 1;
        InState(state, [&](TInstProgressForm& form) {
            auto* button = dynamic_cast<widgets::GradientButton*>(form.Find(argv[2]));
            if (button == nullptr) {
                return;
            }
            const ui::Rect whole = ui::Rect::FromSize(0, 0, button->width(), button->height());
            const ui::Rect cue =
                widgets::FocusRect(widgets::ButtonFace(whole, button->colors(), button->rounded()));
            const ui::Point at = screen_compare::OffsetInForm(*button);
            std::printf("%d %d %d %d\n", at.x + cue.left, at.y + cue.top, at.x + cue.right,
                        at.y + cue.bottom);
            result = 0;
        });
        return result;
    }
    if (command == "compare" && (argc == 6 || argc == 7) && ParseState(argv[5], state)) {
        ui::headless::PixelBuffer shot(0, 0);
        if (!screen_compare::ReadPpm(argv[2], shot)) {
            std::fprintf(stderr, "cannot read %s\n", argv[2]);
            return 2;
        }
        int result = 1;
        InState(state, [&](TInstProgressForm& form) {
            if (argc == 7) {
                form.SetKeyboardCues({true, true});
                form.SetActiveControl(form.Find(argv[6]));
            }
            const auto zones = screen_compare::TakeTextOut(form);
            result = screen_compare::Compare(shot, {std::atoi(argv[3]), std::atoi(argv[4])},
                                             ui::headless::Render(form), zones);
        });
        return result;
    }
    return Usage();
}
