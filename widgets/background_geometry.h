#pragma once

// What a GradientBackground draws, as plain data: the shapes in drawing
// order. Painting only walks this list.

#include <cstdint>
#include <vector>

#include "ui/types.h"

namespace widgets {

enum class GradientStyle {
    grFilled,      // the whole area in the start colour
    grEllipse,     // nested ellipses toward the middle
    grHorizontal,  // columns from left to right
    grVertical,    // rows from top to bottom
    grPyramid,     // nested rectangles toward the middle
    grMount,       // nested rounded rectangles toward the middle
};

// The number of colour increments a style uses in a width x height area:
// `steps` cut to the style's limit (the height for rows, the width for
// columns, half of each side for the nested styles) and raised to 1 if 0.
int BackgroundSteps(GradientStyle style, std::uint16_t steps, int width, int height);

struct BackgroundShape {
    enum class Kind { Fill, Ellipse, RoundRect };
    Kind kind = Kind::Fill;
    ui::Rect rect;
    ui::Color color;
    // Corner ellipse of a RoundRect.
    int cornerWidth = 0;
    int cornerHeight = 0;
    bool operator==(const BackgroundShape&) const = default;
};

// The shapes of a width x height gradient from `start` to `end`, in drawing
// order; an ellipse or rounded rectangle is outlined and filled in its
// colour. Shapes may reach past the area: the bitmap they are drawn into
// cuts them off.
std::vector<BackgroundShape> BackgroundShapes(GradientStyle style, int width, int height,
                                              ui::Color start, ui::Color end, std::uint16_t steps);

}  // namespace widgets
