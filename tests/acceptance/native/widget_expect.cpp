// The headless side of the widgets' acceptance test. It builds the same
// widget gallery as widget_gallery_gui.exe, replays the mouse events the
// test gave the real window, and says what the window should show:
//
//   widget_expect centre NAME              the centre of a control, in the
//                                          window's client coordinates
//   widget_expect title [EVENT...]         the window's caption afterwards
//   widget_expect render OUT.ppm [EVENT...]
//                                          the expected picture
//   widget_expect compare SHOT.ppm X Y [EVENT...]
//                                          compares a screenshot whose window
//                                          client area starts at X, Y
//
// EVENT is move:X,Y, down:X,Y or up:X,Y (left button, client coordinates).
// Text is drawn by GDI with real glyphs and here with plain strokes, so the
// comparison leaves text out of the expected picture: inside the area where
// a caption or a percentage is drawn, a pixel passes when it lies, channel by
// channel, between the expected background and the text colour (glyphs and
// their smoothed edges); everywhere else it must match exactly. Exit code 0
// when everything matches, 1 when not, 2 on bad arguments.

#include <cstdio>
#include <string>
#include <vector>

#include "tests/acceptance/native/lib/picture_compare.h"
#include "tests/acceptance/shared/widget_gallery.h"
#include "ui/headless/headless_ui.h"
#include "widgets/gradient_button.h"
#include "widgets/level_progress_bar.h"

namespace {

using ui::Color;
using ui::Point;
using ui::Rect;
using ui::headless::PixelBuffer;

struct Event {
    char kind;  // 'm'ove, 'd'own, 'u'p
    Point at;
};

bool ParseEvent(const std::string& text, Event& event) {
    const auto colon = text.find(':');
    const auto comma = text.find(',');
    if (colon == std::string::npos || comma == std::string::npos || comma < colon) {
        return false;
    }
    const std::string kind = text.substr(0, colon);
    if (kind != "move" && kind != "down" && kind != "up") {
        return false;
    }
    try {
        event.kind = kind[0];
        event.at = {std::stoi(text.substr(colon + 1, comma - colon - 1)),
                    std::stoi(text.substr(comma + 1))};
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

void Replay(ui::Form& form, const std::vector<Event>& events) {
    form.CreateWindowHandle();
    form.Show();
    for (const Event& e : events) {
        if (e.kind == 'm') {
            ui::headless::MouseMove(form, e.at);
        } else if (e.kind == 'd') {
            ui::headless::MouseDown(form, e.at);
        } else {
            ui::headless::MouseUp(form, e.at);
        }
    }
}

// Collects the text areas of what is showing, then switches all text off so
// that the expected picture holds only what lies under it.
std::vector<picture::Zone> TakeTextOut(ui::Form& form) {
    std::vector<picture::Zone> zones;
    picture::ForEachControl(form, [&zones](ui::Control& control) {
        const Point at = picture::OffsetInForm(control);
        if (auto* button = dynamic_cast<widgets::GradientButton*>(&control)) {
            picture::TakeCaptionOut(*button, zones);
        } else if (auto* bar = dynamic_cast<widgets::LevelProgressBar*>(&control)) {
            if (control.Showing() && bar->showPosition()) {
                // The percentage is centred; no bar text is wider than 80
                // pixels, and it keeps off the border rows.
                const int middle = bar->width() / 2;
                const Rect area{middle - 40, 1, middle + 40, bar->height() - 1};
                zones.push_back({area.Offset(at.x, at.y), ui::ResolveColor(bar->font().color)});
            }
            bar->SetShowPosition(false);
        }
    });
    return zones;
}

int Compare(const PixelBuffer& shot, Point origin, const std::vector<Event>& events) {
    const auto form = gallery::BuildGallery();
    Replay(*form, events);
    const std::vector<picture::Zone> zones = TakeTextOut(*form);
    return picture::Compare(shot, origin, ui::headless::Render(*form), zones);
}

int Usage() {
    std::fprintf(stderr,
                 "usage: widget_expect centre NAME | title [EVENT...] | render OUT.ppm "
                 "[EVENT...] | compare SHOT.ppm X Y [EVENT...]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        return Usage();
    }
    const std::string command = argv[1];
    const int firstEvent = command == "compare" ? 5 : command == "render" ? 3 : 2;
    if (argc < firstEvent) {
        return Usage();
    }
    std::vector<Event> events;
    if (command != "centre") {
        for (int i = firstEvent; i < argc; ++i) {
            Event event{};
            if (!ParseEvent(argv[i], event)) {
                return Usage();
            }
            events.push_back(event);
        }
    }
    if (command == "centre" && argc == 3) {
        const auto form = gallery::BuildGallery();
        ui::Control* control = form->Find(argv[2]);
        if (control == nullptr) {
            return 1;
        }
        const Point at = picture::OffsetInForm(*control);
        std::printf("%d %d\n", at.x + control->width() / 2, at.y + control->height() / 2);
        return 0;
    }
    if (command == "title") {
        const auto form = gallery::BuildGallery();
        Replay(*form, events);
        std::printf("%s\n", form->caption().c_str());
        return 0;
    }
    if (command == "render") {
        const auto form = gallery::BuildGallery();
        Replay(*form, events);
        return ui::headless::Render(*form).SavePpm(argv[2]) ? 0 : 1;
    }
    if (command == "compare") {
        PixelBuffer shot(0, 0);
        if (!picture::ReadPpm(argv[2], shot)) {
            std::fprintf(stderr, "cannot read %s\n", argv[2]);
            return 2;
        }
        return Compare(shot, {std::atoi(argv[3]), std::atoi(argv[4])}, events);
    }
    return Usage();
}
