#pragma once

// Compares a screenshot of a window under Wine with the headless rendering
// of the same window, for the acceptance helpers in this folder. Text is
// drawn by GDI with real glyphs and by the headless canvas with plain
// strokes (and in other widths), so text is left out of the expected
// picture: inside a text zone a pixel passes when it lies, channel by
// channel, between the expected background and the text colour (glyphs and
// their smoothed edges); everywhere else it must match exactly.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "ui/dpi.h"
#include "ui/headless/headless_ui.h"
#include "ui/label.h"
#include "widgets/button_look.h"
#include "widgets/gradient_button.h"
#include "widgets/level_progress_bar.h"

namespace screen_compare {

using ui::Color;
using ui::Point;
using ui::Rect;
using ui::headless::PixelBuffer;

// The screen's pixels per inch the windows are expected at: EXPECT_DPI, as
// the running windows' prefix has it, or 96. Forms made after this take it.
inline int UseExpectedDpi() {
    const char* dpi = std::getenv("EXPECT_DPI");
    const int value = dpi != nullptr ? std::atoi(dpi) : 0;
    ui::headless::SetScreenDpi(value > 0 ? value : ui::kDesignDpi);
    return value > 0 ? value : ui::kDesignDpi;
}

inline Point OffsetInForm(const ui::Control& control) {
    Point offset;
    for (const ui::Control* c = &control; c->parent() != nullptr; c = c->parent()) {
        offset.x += c->left();
        offset.y += c->top();
    }
    return offset;
}

// Where text may be drawn, and in which colour; a zone whose colour is none
// is not compared at all (what the system draws there is its own).
struct TextZone {
    Rect rect;
    Color color;
};

template <typename Visit>
void ForEachControl(ui::Control& control, const Visit& visit) {
    visit(control);
    if (auto* container = dynamic_cast<ui::Container*>(&control)) {
        for (const auto& child : container->children()) {
            ForEachControl(*child, visit);
        }
    }
}

// Collects the text areas of what is showing, then switches all text off so
// that the expected picture holds only what lies under it. A label's text
// takes another width on GDI (a centred or right-aligned one also another
// place), so its zone is its whole row across its parent, with a margin for
// GDI's taller cells.
inline std::vector<TextZone> TakeTextOut(ui::Form& form) {
    std::vector<TextZone> zones;
    ForEachControl(form, [&zones](ui::Control& control) {
        const Point at = OffsetInForm(control);
        if (auto* button = dynamic_cast<widgets::GradientButton*>(&control)) {
            if (control.Showing() && button->showCaption() && !button->caption().empty()) {
                const Rect whole = Rect::FromSize(0, 0, button->width(), button->height());
                const Rect area = widgets::CaptionArea(
                    widgets::ButtonFace(whole, button->colors(), button->rounded()));
                zones.push_back({area.Offset(at.x, at.y), ui::ResolveColor(button->font().color)});
            }
            button->SetShowCaption(false);
        } else if (auto* bar = dynamic_cast<widgets::LevelProgressBar*>(&control)) {
            if (control.Showing() && bar->showPosition()) {
                // The percentage is centred; no bar text is wider than 80
                // pixels, and it keeps off the border rows.
                const int middle = bar->width() / 2;
                const Rect area{middle - 40, 1, middle + 40, bar->height() - 1};
                zones.push_back({area.Offset(at.x, at.y), ui::ResolveColor(bar->font().color)});
            }
            bar->SetShowPosition(false);
        } else if (auto* label = dynamic_cast<ui::Label*>(&control)) {
            if (control.Showing() && !label->caption().empty()) {
                const Point row = OffsetInForm(*control.parent());
                constexpr int kMargin = 3;
                zones.push_back({Rect{row.x, at.y - kMargin, row.x + control.parent()->width(),
                                      at.y + control.height() + kMargin},
                                 ui::ResolveColor(label->font().color)});
            }
            label->Hide();
        }
    });
    return zones;
}

inline bool Between(int value, int a, int b) {
    return value >= std::min(a, b) && value <= std::max(a, b);
}

inline bool ReadPpm(const std::string& path, PixelBuffer& out) {
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int width = 0;
    int height = 0;
    int depth = 0;
    in >> magic >> width >> height >> depth;
    in.get();
    if (!in || magic != "P6" || depth != 255 || width <= 0 || height <= 0) {
        return false;
    }
    out = PixelBuffer(width, height);
    std::vector<unsigned char> row(static_cast<std::size_t>(width) * 3);
    for (int y = 0; y < height; ++y) {
        if (!in.read(reinterpret_cast<char*>(row.data()),
                     static_cast<std::streamsize>(row.size()))) {
            return false;
        }
        for (int x = 0; x < width; ++x) {
            out.Set(x, y, Color::Rgb(row[x * 3], row[x * 3 + 1], row[x * 3 + 2]));
        }
    }
    return true;
}

inline std::string Describe(Color c) {
    return "(" + std::to_string(c.r()) + ", " + std::to_string(c.g()) + ", " +
           std::to_string(c.b()) + ")";
}

// Compares the screenshot, whose window client area starts at `origin`, with
// the expected picture; prints up to 12 wrong pixels and a summary. 0 when
// everything matches, else 1.
inline int Compare(const PixelBuffer& shot, Point origin, const PixelBuffer& expected,
                   const std::vector<TextZone>& zones) {
    int exact = 0;
    int inText = 0;
    int wrong = 0;
    for (int y = 0; y < expected.height(); ++y) {
        for (int x = 0; x < expected.width(); ++x) {
            const Color want = expected.At(x, y);
            const Color got = shot.At(origin.x + x, origin.y + y);
            const TextZone* zone = nullptr;
            for (const TextZone& z : zones) {
                if (z.rect.Contains({x, y})) {
                    zone = &z;
                }
            }
            if (zone != nullptr && zone->color.isNone()) {
                continue;
            }
            bool ok = got == want;
            if (zone != nullptr) {
                ++inText;
                ok = ok || (!got.isNone() && Between(got.r(), want.r(), zone->color.r()) &&
                            Between(got.g(), want.g(), zone->color.g()) &&
                            Between(got.b(), want.b(), zone->color.b()));
            } else {
                ++exact;
            }
            if (!ok && ++wrong <= 12) {
                std::printf("  at %d,%d%s: expected %s, got %s\n", x, y, zone ? " (text)" : "",
                            Describe(want).c_str(), Describe(got).c_str());
            }
        }
    }
    std::printf("%d pixels exact, %d in text areas, %d wrong\n", exact, inText, wrong);
    return wrong == 0 ? 0 : 1;
}

}  // namespace screen_compare
