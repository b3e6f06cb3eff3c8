#pragma once

// The band arithmetic every drawn widget shares. A gradient here is a few
// solid bands, never a per-pixel blend, so that the same numbers give the
// same pixels on every canvas. All rounding goes through RoundHalfEven.

#include <vector>

#include "ui/canvas.h"
#include "ui/types.h"

namespace widgets {

// x rounded to the nearest integer, ties to the even neighbour (2.5 -> 2,
// 3.5 -> 4, -0.5 -> 0), whatever the floating-point environment says.
int RoundHalfEven(double x);

// Colour n of a gradient of `count` bands from `from` toward `to`:
// from + nearest(n * (to - from) / count) per component. Band count - 1 is
// the last one drawn, so `to` itself never shows. System colours are
// resolved first; neither colour may be none.
ui::Color StepColor(ui::Color from, ui::Color to, int n, int count);

// Colour i of a ramp of `steps` increments from `start` to `end`:
// nearest(start + i * ((end - start) / steps)) per component, so band 0 is
// `start` and band `steps` is `end`.
ui::Color RampColor(ui::Color start, ui::Color end, int i, int steps);

// One band along the gradient's axis, from `start` to `end` (exclusive).
struct Band {
    int start = 0;
    int end = 0;
    ui::Color color;
    bool operator==(const Band&) const = default;
};

// How many bands a button face has.
inline constexpr int kFaceBands = 16;

// A button face: kFaceBands bands from `from` at `start` toward `to`. Band n
// begins at start + nearest(n * h) and is nearest(h) + 1 long, where
// h = (end - start) / 16, so each band overlaps the next by about a pixel
// (the later one wins) and the last may reach a pixel past `end`.
std::vector<Band> FaceBands(int start, int end, ui::Color from, ui::Color to);

// A shaded area: `count` bands (0 counts as 1) from `from` at `start` toward
// `to`. Band n begins at start + nearest(n * h) and ends at the smaller of
// `end` and its start + trunc(h) + 1, where h = (end - start) / count; where
// bands overlap, the later one wins.
std::vector<Band> ShadeBands(int start, int end, ui::Color from, ui::Color to, int count);

// A ramp over 0 .. extent: steps + 1 bands (RampColor), band i from
// nearest(i * h) to nearest((i + 1) * h) with h = extent / steps. The last
// band lies past `extent`. `steps` must be at least 1.
std::vector<Band> RampBands(int extent, ui::Color start, ui::Color end, int steps);

// A nested band: a rectangle of one colour inside the ones before it.
struct NestedBand {
    ui::Rect rect;
    ui::Color color;
    bool operator==(const NestedBand&) const = default;
};

// Rectangles shrinking toward the middle of a width x height area: steps + 1
// of them (RampColor), band i inset by nearest(i * sx) left and right and
// nearest(i * sy) top and bottom, with sx = width / steps / 2 and
// sy = height / steps / 2. The innermost band can come out with its edges
// crossed by a pixel; it is then put in order, one pixel wide or high, in
// the middle. `steps` must be at least 1.
std::vector<NestedBand> NestedBands(int width, int height, ui::Color start, ui::Color end,
                                    int steps);

// The direction in which a gradient's colour changes.
enum class Axis {
    Vertical,    // bands are rows, stacked from top to bottom
    Horizontal,  // bands are columns, from left to right
};

// Fills each band across `area` (bands along y for Vertical, along x for
// Horizontal), in order, so later bands cover earlier ones. A band that is
// filled and outlined in its own colour covers exactly its rectangle, which
// is what a fill gives.
void PaintBands(ui::Canvas& canvas, const std::vector<Band>& bands, const ui::Rect& area,
                Axis axis);

}  // namespace widgets
