#pragma once

// Helpers for tests that paint a widget and look at its pixels.

#include <gtest/gtest.h>

#include <ostream>

#include "ui/control.h"
#include "ui/headless/pixel_canvas.h"

namespace ui {
// Colours print as (r, g, b) in failure messages.
inline void PrintTo(const Color& color, std::ostream* out) {
    if (color.isNone()) {
        *out << "none";
    } else {
        *out << "(" << int(color.r()) << ", " << int(color.g()) << ", " << int(color.b()) << ")";
    }
}
}  // namespace ui

namespace widget_pixels {

// What lies under a widget before it paints: a colour none of the widgets
// draws, so untouched pixels are easy to tell.
inline constexpr ui::Color kUnder = ui::Color::Rgb(12, 34, 56);

// Paints a control (and the children it holds) into a buffer of its size
// that was filled with `under`, clipped to the control as a window would.
inline ui::headless::PixelBuffer PaintAlone(ui::Control& control, ui::Color under = kUnder) {
    ui::headless::PixelBuffer buffer(control.width(), control.height(), under);
    ui::headless::PixelCanvas canvas(buffer);
    canvas.ClipTo(ui::Rect::FromSize(0, 0, control.width(), control.height()));
    ui::PaintTree(control, canvas, true);
    return buffer;
}

inline bool SamePixels(const ui::headless::PixelBuffer& a, const ui::headless::PixelBuffer& b) {
    if (a.width() != b.width() || a.height() != b.height()) {
        return false;
    }
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.At(x, y) != b.At(x, y)) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace widget_pixels
