#include "widgets/bevel.h"

#include <algorithm>

namespace widgets {

namespace {

void PaintLines(ui::Canvas& canvas, const std::vector<FrameLine>& lines) {
    for (const FrameLine& line : lines) {
        canvas.SetBrush(line.color);
        canvas.FillRect(line.rect);
    }
}

}  // namespace

std::vector<FrameLine> FrameLines(const ui::Rect& rect, ui::Color topLeft, ui::Color bottomRight,
                                  int width) {
    std::vector<FrameLine> lines;
    ui::Rect r = rect;
    for (int ring = 0; ring < width && !r.empty(); ++ring) {
        lines.push_back({{r.left, r.top, r.right - 1, r.top + 1}, topLeft});
        lines.push_back({{r.left, r.top, r.left + 1, r.bottom - 1}, topLeft});
        lines.push_back({{r.right - 1, r.top, r.right, r.bottom}, bottomRight});
        lines.push_back({{r.left, r.bottom - 1, r.right, r.bottom}, bottomRight});
        r = r.Inflate(-1);
    }
    return lines;
}

std::vector<FrameLine> BevelLines(const ui::Rect& rect, Bevel bevel, int width) {
    const ui::Color light = ui::Color::System(ui::SystemColor::BtnHighlight);
    const ui::Color dark = ui::Color::System(ui::SystemColor::BtnShadow);
    switch (bevel) {
        case Bevel::None:
            return {};
        case Bevel::Lowered:
            return FrameLines(rect, dark, light, width);
        case Bevel::Raised:
        case Bevel::Space:
            return FrameLines(rect, light, dark, width);
    }
    return {};
}

ui::Rect PaintBevel(ui::Canvas& canvas, const ui::Rect& rect, Bevel bevel, int width) {
    if (bevel == Bevel::None) {
        return rect;
    }
    PaintLines(canvas, BevelLines(rect, bevel, width));
    return rect.Inflate(-std::max(width, 0));
}

ui::Rect PaintFrame(ui::Canvas& canvas, const ui::Rect& rect, ui::Color color, int width) {
    PaintLines(canvas, FrameLines(rect, color, color, width));
    return rect.Inflate(-std::max(width, 0));
}

}  // namespace widgets
