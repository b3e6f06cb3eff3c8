// The headless canvas against pictures GDI drew (under Wine) of the same
// calls: '#' pen, 'o' brush, '.' untouched.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/headless/pixel_canvas.h"

using ui::Color;
using ui::headless::PixelBuffer;
using ui::headless::PixelCanvas;

namespace {

constexpr Color kPaper = Color::Rgb(255, 0, 255);

std::vector<std::string> Picture(const PixelBuffer& buffer) {
    std::vector<std::string> rows;
    for (int y = 0; y < buffer.height(); ++y) {
        std::string row;
        for (int x = 0; x < buffer.width(); ++x) {
            const Color c = buffer.At(x, y);
            row += c == kPaper ? '.' : c == ui::colors::kBlack ? '#' : 'o';
        }
        rows.push_back(row);
    }
    return rows;
}

// Draws with a black one-pixel pen and a white brush (none when `hollow`).
template <typename Draw>
std::vector<std::string> Drawn(int width, int height, Draw draw, bool hollow = false) {
    PixelBuffer buffer(width, height, kPaper);
    PixelCanvas canvas(buffer);
    canvas.SetPen(ui::colors::kBlack, 1);
    canvas.SetBrush(hollow ? Color::None() : ui::colors::kWhite);
    draw(canvas);
    return Picture(buffer);
}

}  // namespace

TEST(PixelCanvasShapes, RoundRectCornersAsGdiDrawsThem) {
    // The progress bar's corners (6 x 6) and the button's outline (8 x 8).
    EXPECT_EQ(
        Drawn(12, 8,
              [](PixelCanvas& c) {
                  c.RoundRect({0, 0, 12, 8}, 6, 6);
              }),
        (std::vector<std::string>{"..########..", ".#oooooooo#.", "#oooooooooo#", "#oooooooooo#",
                                  "#oooooooooo#", "#oooooooooo#", ".#oooooooo#.", "..########.."}));
    EXPECT_EQ(Drawn(
                  20, 6,
                  [](PixelCanvas& c) {
                      c.RoundRect({0, 0, 20, 12}, 8, 8);
                  },
                  true),
              (std::vector<std::string>{"..################..", ".#................#.",
                                        "#..................#", "#..................#",
                                        "#..................#", "#..................#"}));
    EXPECT_EQ(Drawn(30, 6,
                    [](PixelCanvas& c) {
                        c.RoundRect({0, 0, 30, 24}, 16, 16);
                    }),
              (std::vector<std::string>{
                  ".....####################.....", "....#oooooooooooooooooooo#....",
                  "..##oooooooooooooooooooooo##..", "..#oooooooooooooooooooooooo#..",
                  ".#oooooooooooooooooooooooooo#.", "#oooooooooooooooooooooooooooo#"}));
}

TEST(PixelCanvasShapes, EllipsesAsGdiDrawsThem) {
    EXPECT_EQ(Drawn(9, 7,
                    [](PixelCanvas& c) {
                        c.Ellipse({0, 0, 9, 7});
                    }),
              (std::vector<std::string>{"..#####..", ".#ooooo#.", "#ooooooo#", "#ooooooo#",
                                        "#ooooooo#", ".#ooooo#.", "..#####.."}));
    EXPECT_EQ(Drawn(20, 5,
                    [](PixelCanvas& c) {
                        c.Ellipse({0, 0, 20, 14});
                    }),
              (std::vector<std::string>{"......########......", "....##oooooooo##....",
                                        "...#oooooooooooo#...", "..#oooooooooooooo#..",
                                        ".#oooooooooooooooo#."}));
}

TEST(PixelCanvasShapes, RectanglesAsGdiDrawsThem) {
    // No pen: one pixel short on the right and bottom.
    EXPECT_EQ(Drawn(6, 4,
                    [](PixelCanvas& c) {
                        c.SetPen(Color::None(), 1);
                        c.Rectangle({0, 0, 5, 3});
                    }),
              (std::vector<std::string>{"oooo..", "oooo..", "......", "......"}));
    // Swapped corners are put in order; an empty rectangle draws nothing.
    EXPECT_EQ(Drawn(5, 3,
                    [](PixelCanvas& c) {
                        c.Rectangle({3, 0, 2, 3});
                    }),
              (std::vector<std::string>{"..#..", "..#..", "..#.."}));
    EXPECT_EQ(Drawn(5, 3,
                    [](PixelCanvas& c) {
                        c.Rectangle({0, 1, 5, 1});
                    }),
              (std::vector<std::string>{".....", ".....", "....."}));
    // FillRect mirrors a swapped rectangle about its first corner.
    EXPECT_EQ(Drawn(5, 2,
                    [](PixelCanvas& c) {
                        c.FillRect({3, 0, 2, 2});
                    }),
              (std::vector<std::string>{"...o.", "...o."}));
}
