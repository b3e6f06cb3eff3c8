#include "ui/headless/round_shapes.h"

#include <algorithm>
#include <cstdint>

namespace ui::headless {

namespace {

struct Pixel {
    int x;
    int y;
};

// One quarter of the outline of an ellipse filling a width x height box:
// from the middle of the right edge down to the middle of the bottom edge.
// The walk keeps an integer error term of the implicit ellipse equation and
// steps left, down or both, so the points form a connected eight-way curve.
std::vector<Pixel> LowerRightQuarter(int width, int height) {
    std::vector<Pixel> points;
    if (width <= 0 || height <= 0) {
        return points;
    }
    const std::int64_t a = width - 1;
    const std::int64_t b = height - 1;
    const std::int64_t stepA = 8 * a * a;
    const std::int64_t stepB = 8 * b * b;
    std::int64_t dx = 4 * b * b * (1 - a);
    std::int64_t dy = 4 * a * a * (1 + b % 2);
    std::int64_t error = dx + dy + a * a * (b % 2);
    int x = width - 1;
    int y = height / 2;
    while (x >= width / 2) {
        const std::int64_t twice = 2 * error;
        points.push_back({x, y});
        if (twice >= dx) {
            --x;
            dx += stepB;
            error += dx;
        }
        if (twice <= dy) {
            ++y;
            dy += stepA;
            error += dy;
        }
    }
    // A box one or two pixels wide ends the walk before the bottom: GDI
    // draws the rest of the column.
    if (width <= 2) {
        for (; y < height; ++y) {
            points.push_back({width / 2, y});
        }
    }
    return points;
}

}  // namespace

RoundShape::RoundShape(int width, int height, int cornerWidth, int cornerHeight, bool ellipse)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      outline_(static_cast<std::size_t>(width_) * height_, false),
      first_(height_, -1),
      last_(height_, -1) {
    int cw = ellipse ? width_ : std::clamp(cornerWidth, 0, width_);
    int ch = ellipse ? height_ : std::clamp(cornerHeight, 0, height_);
    if (cw <= 0 || ch <= 0) {
        cw = 0;
        ch = 0;
    }
    const int offsetX = width_ - cw;
    const int offsetY = height_ - ch;
    for (const Pixel& p : LowerRightQuarter(cw, ch)) {
        Mark(p.x + offsetX, p.y + offsetY);
        Mark(cw - 1 - p.x, p.y + offsetY);
        Mark(p.x + offsetX, ch - 1 - p.y);
        Mark(cw - 1 - p.x, ch - 1 - p.y);
    }
    if (!ellipse) {
        for (int x = cw / 2; x < width_ - cw / 2; ++x) {
            Mark(x, 0);
            Mark(x, height_ - 1);
        }
        for (int y = ch / 2; y < height_ - ch / 2; ++y) {
            Mark(0, y);
            Mark(width_ - 1, y);
        }
    }
}

void RoundShape::Mark(int x, int y) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return;
    }
    outline_[static_cast<std::size_t>(y) * width_ + x] = true;
    first_[y] = first_[y] < 0 ? x : std::min(first_[y], x);
    last_[y] = std::max(last_[y], x);
}

bool RoundShape::IsOutline(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return false;
    }
    return outline_[static_cast<std::size_t>(y) * width_ + x];
}

bool RoundShape::IsInside(int x, int y) const {
    if (y < 0 || y >= height_ || first_[y] < 0) {
        return false;
    }
    return x > first_[y] && x < last_[y] && !IsOutline(x, y);
}

}  // namespace ui::headless
