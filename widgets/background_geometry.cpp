#include "widgets/background_geometry.h"

#include <algorithm>

#include "widgets/gradient.h"

namespace widgets {

int BackgroundSteps(GradientStyle style, std::uint16_t steps, int width, int height) {
    int s = steps;
    switch (style) {
        case GradientStyle::grFilled:
            break;
        case GradientStyle::grVertical:
            s = std::min(s, height);
            break;
        case GradientStyle::grHorizontal:
            s = std::min(s, width);
            break;
        case GradientStyle::grEllipse:
        case GradientStyle::grPyramid:
        case GradientStyle::grMount:
            s = std::min(s, width / 2);
            s = std::min(s, height / 2);
            break;
    }
    return std::max(s, 1);
}

std::vector<BackgroundShape> BackgroundShapes(GradientStyle style, int width, int height,
                                              ui::Color start, ui::Color end, std::uint16_t steps) {
    using Kind = BackgroundShape::Kind;
    const ui::Rect whole{0, 0, width, height};
    const ui::Color first = ui::ResolveColor(start);
    const int s = BackgroundSteps(style, steps, width, height);
    std::vector<BackgroundShape> shapes;
    switch (style) {
        case GradientStyle::grFilled:
            shapes.push_back({Kind::Fill, whole, first});
            break;
        case GradientStyle::grVertical:
            for (const Band& band : RampBands(height, start, end, s)) {
                shapes.push_back({Kind::Fill, {0, band.start, width, band.end}, band.color});
            }
            break;
        case GradientStyle::grHorizontal:
            for (const Band& band : RampBands(width, start, end, s)) {
                shapes.push_back({Kind::Fill, {band.start, 0, band.end, height}, band.color});
            }
            break;
        case GradientStyle::grPyramid:
        case GradientStyle::grEllipse:
        case GradientStyle::grMount:
            // The edges keep the start colour wherever the nested shapes
            // leave corners free.
            shapes.push_back({Kind::Fill, whole, first});
            for (const NestedBand& band : NestedBands(width, height, start, end, s)) {
                if (style == GradientStyle::grPyramid) {
                    shapes.push_back({Kind::Fill, band.rect, band.color});
                } else if (style == GradientStyle::grEllipse) {
                    shapes.push_back({Kind::Ellipse, band.rect, band.color});
                } else {
                    // Corners of half the shorter side give each ring the
                    // look of a rounded hill.
                    const int corner = std::min(band.rect.width(), band.rect.height()) / 2;
                    shapes.push_back({Kind::RoundRect, band.rect, band.color, corner, corner});
                }
            }
            break;
    }
    return shapes;
}

}  // namespace widgets
