#pragma once

#include <vector>

namespace ui::headless {

// The pixels of GDI's Ellipse and RoundRect drawn with a one-pixel pen, in
// the shape's own coordinates (0, 0 is its top-left corner). The corners are
// quarters of an ellipse of the given size rasterised with an error-stepping
// walk from the middle of its right edge down to the middle of its bottom
// edge, then mirrored, which reproduces GDI's pixels for every shape with
// both sides of at least three pixels (compared against GDI under Wine for
// ellipses up to 26 x 26 and rounded rectangles with corners up to 20 x 20).
class RoundShape {
  public:
    // A rectangle of width x height with corner ellipses of cornerWidth x
    // cornerHeight (clamped to the rectangle); an ellipse when the corners
    // are the whole size and `ellipse` is set.
    RoundShape(int width, int height, int cornerWidth, int cornerHeight, bool ellipse);

    int width() const { return width_; }
    int height() const { return height_; }
    // The outline a one-pixel pen draws.
    bool IsOutline(int x, int y) const;
    // Inside the outline (not on it): what the brush fills.
    bool IsInside(int x, int y) const;

  private:
    void Mark(int x, int y);

    int width_;
    int height_;
    std::vector<bool> outline_;
    // Per row, the first and last outline pixel (-1 when the row has none).
    std::vector<int> first_;
    std::vector<int> last_;
};

}  // namespace ui::headless
