#include "tests/acceptance/native/lib/picture_compare.h"

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "widgets/button_look.h"

namespace picture {

using ui::Color;
using ui::Point;
using ui::headless::PixelBuffer;

namespace {

bool Between(int value, int a, int b) {
    return value >= std::min(a, b) && value <= std::max(a, b);
}

std::string Describe(Color c) {
    return "(" + std::to_string(c.r()) + ", " + std::to_string(c.g()) + ", " +
           std::to_string(c.b()) + ")";
}

}  // namespace

Point OffsetInForm(const ui::Control& control) {
    Point offset;
    for (const ui::Control* c = &control; c->parent() != nullptr; c = c->parent()) {
        offset.x += c->left();
        offset.y += c->top();
    }
    return offset;
}

void TakeCaptionOut(widgets::GradientButton& button, std::vector<Zone>& zones) {
    if (button.Showing() && button.showCaption() && !button.caption().empty()) {
        const ui::Rect whole = ui::Rect::FromSize(0, 0, button.width(), button.height());
        const ui::Rect area =
            widgets::CaptionArea(widgets::ButtonFace(whole, button.colors(), button.rounded()));
        const Point at = OffsetInForm(button);
        zones.push_back({area.Offset(at.x, at.y), ui::ResolveColor(button.font().color)});
    }
    button.SetShowCaption(false);
}

bool ReadPpm(const std::string& path, PixelBuffer& out) {
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

int Compare(const PixelBuffer& shot, Point origin, const PixelBuffer& expected,
            const std::vector<Zone>& zones) {
    int exact = 0;
    int inText = 0;
    int wrong = 0;
    for (int y = 0; y < expected.height(); ++y) {
        for (int x = 0; x < expected.width(); ++x) {
            const Color want = expected.At(x, y);
            const Color got = shot.At(origin.x + x, origin.y + y);
            const Zone* zone = nullptr;
            for (const Zone& z : zones) {
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

}  // namespace picture
