#pragma once

// Comparing a screenshot of a real window with the headless rendering of
// the same window, for the native helpers of the acceptance tests. GDI
// draws text with real glyphs and the headless canvas with strokes, so text
// is left out of the expected picture: inside a text zone a pixel passes
// when it lies, channel by channel, between the expected background and the
// text colour (glyphs and their smoothed edges); pixels of a skipped zone
// are not looked at; everywhere else they must match exactly.

#include <string>
#include <vector>

#include "ui/form.h"
#include "ui/headless/pixel_canvas.h"
#include "widgets/gradient_button.h"

namespace picture {

struct Zone {
    ui::Rect rect;    // in the window's client coordinates
    ui::Color color;  // the text colour; none: not compared at all
};

// The control's top-left corner in its form's client coordinates.
ui::Point OffsetInForm(const ui::Control& control);

// Visits the control and every descendant, parents first.
template <typename Visit>
void ForEachControl(ui::Control& control, const Visit& visit) {
    visit(control);
    if (auto* container = dynamic_cast<ui::Container*>(&control)) {
        for (const auto& child : container->children()) {
            ForEachControl(*child, visit);
        }
    }
}

// Adds the area where a showing button draws its caption as a text zone,
// then switches the caption off in the expected picture.
void TakeCaptionOut(widgets::GradientButton& button, std::vector<Zone>& zones);

// Reads a binary PPM (P6, 8 bits a channel); false when it is not one.
bool ReadPpm(const std::string& path, ui::headless::PixelBuffer& out);

// Compares the screenshot, whose window client area starts at origin, with
// the expected picture; prints up to a dozen differences and a summary line.
// Returns 0 when everything matches, 1 otherwise.
int Compare(const ui::headless::PixelBuffer& shot, ui::Point origin,
            const ui::headless::PixelBuffer& expected, const std::vector<Zone>& zones);

}  // namespace picture
