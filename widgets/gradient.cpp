#include "widgets/gradient.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace widgets {

namespace {

std::uint8_t Channel(int value) {
    return static_cast<std::uint8_t>(std::clamp(value, 0, 255));
}

}  // namespace

int RoundHalfEven(double x) {
    const double floor = std::floor(x);
    const double fraction = x - floor;
    const int below = static_cast<int>(floor);
    if (fraction < 0.5) {
        return below;
    }
    if (fraction > 0.5) {
        return below + 1;
    }
    return below % 2 == 0 ? below : below + 1;
}

ui::Color StepColor(ui::Color from, ui::Color to, int n, int count) {
    const ui::Color a = ui::ResolveColor(from);
    const ui::Color z = ui::ResolveColor(to);
    const auto step = [&](int first, int last) {
        return Channel(first + RoundHalfEven(static_cast<double>(n) * (last - first) / count));
    };
    return ui::Color::Rgb(step(a.r(), z.r()), step(a.g(), z.g()), step(a.b(), z.b()));
}

ui::Color RampColor(ui::Color start, ui::Color end, int i, int steps) {
    const ui::Color a = ui::ResolveColor(start);
    const ui::Color z = ui::ResolveColor(end);
    const auto ramp = [&](int first, int last) {
        const double increment = static_cast<double>(last - first) / steps;
        return Channel(RoundHalfEven(first + i * increment));
    };
    return ui::Color::Rgb(ramp(a.r(), z.r()), ramp(a.g(), z.g()), ramp(a.b(), z.b()));
}

std::vector<Band> FaceBands(int start, int end, ui::Color from, ui::Color to) {
    const double h = static_cast<double>(end - start) / kFaceBands;
    const int length = RoundHalfEven(h) + 1;
    std::vector<Band> bands;
    bands.reserve(kFaceBands);
    for (int n = 0; n < kFaceBands; ++n) {
        const int top = start + RoundHalfEven(n * h);
        bands.push_back({top, top + length, StepColor(from, to, n, kFaceBands)});
    }
    return bands;
}

std::vector<Band> ShadeBands(int start, int end, ui::Color from, ui::Color to, int count) {
    const int n = std::max(count, 1);
    const double h = static_cast<double>(end - start) / n;
    const int length = static_cast<int>(std::trunc(h)) + 1;
    std::vector<Band> bands;
    bands.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        const int top = start + RoundHalfEven(i * h);
        bands.push_back({top, std::min(end, top + length), StepColor(from, to, i, n)});
    }
    return bands;
}

std::vector<Band> RampBands(int extent, ui::Color start, ui::Color end, int steps) {
    const double h = static_cast<double>(extent) / steps;
    std::vector<Band> bands;
    bands.reserve(static_cast<std::size_t>(steps) + 1);
    for (int i = 0; i <= steps; ++i) {
        bands.push_back(
            {RoundHalfEven(i * h), RoundHalfEven((i + 1) * h), RampColor(start, end, i, steps)});
    }
    return bands;
}

std::vector<NestedBand> NestedBands(int width, int height, ui::Color start, ui::Color end,
                                    int steps) {
    const double sx = static_cast<double>(width) / steps / 2;
    const double sy = static_cast<double>(height) / steps / 2;
    std::vector<NestedBand> bands;
    bands.reserve(static_cast<std::size_t>(steps) + 1);
    for (int i = 0; i <= steps; ++i) {
        const int insetX = RoundHalfEven(i * sx);
        const int insetY = RoundHalfEven(i * sy);
        const ui::Rect rect{std::min(insetX, width - insetX), std::min(insetY, height - insetY),
                            std::max(insetX, width - insetX), std::max(insetY, height - insetY)};
        bands.push_back({rect, RampColor(start, end, i, steps)});
    }
    return bands;
}

void PaintBands(ui::Canvas& canvas, const std::vector<Band>& bands, const ui::Rect& area,
                Axis axis) {
    for (const Band& band : bands) {
        if (band.end <= band.start) {
            continue;
        }
        canvas.SetBrush(band.color);
        if (axis == Axis::Vertical) {
            canvas.FillRect({area.left, band.start, area.right, band.end});
        } else {
            canvas.FillRect({band.start, area.top, band.end, area.bottom});
        }
    }
}

}  // namespace widgets
