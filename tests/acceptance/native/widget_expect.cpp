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
// Text is compared loosely (screen_compare.h). Exit code 0 when everything
// matches, 1 when not, 2 on bad arguments.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "screen_compare.h"
#include "tests/acceptance/shared/widget_gallery.h"
#include "ui/headless/headless_ui.h"

namespace {

using screen_compare::OffsetInForm;
using ui::Point;
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

int Compare(const PixelBuffer& shot, Point origin, const std::vector<Event>& events) {
    const auto form = gallery::BuildGallery();
    Replay(*form, events);
    const std::vector<screen_compare::TextZone> zones = screen_compare::TakeTextOut(*form);
    return screen_compare::Compare(shot, origin, ui::headless::Render(*form), zones);
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
        const Point at = OffsetInForm(*control);
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
        if (!screen_compare::ReadPpm(argv[2], shot)) {
            std::fprintf(stderr, "cannot read %s\n", argv[2]);
            return 2;
        }
        return Compare(shot, {std::atoi(argv[3]), std::atoi(argv[4])}, events);
    }
    return Usage();
}
