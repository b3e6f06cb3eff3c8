#include <gtest/gtest.h>

#include "tests/unit/widget_pixels.h"
#include "widgets/level_progress_bar.h"

using ui::Color;
using widget_pixels::kUnder;
using widget_pixels::PaintAlone;
using widgets::BarOrientation;
using widgets::BlockSpan;
using widgets::LevelProgressBar;

namespace {

constexpr Color kBorder = Color::Rgb(128, 128, 128);

// The progress window's bar: 433 x 18 over a range of 100.
std::unique_ptr<LevelProgressBar> ProgramBar(int percent) {
    auto bar = std::make_unique<LevelProgressBar>("pbar");
    bar->SetSize(433, 18);
    bar->SetPosition(percent);
    return bar;
}

}  // namespace

TEST(BarBlocks, SevenPixelBlocksTwoApartWithAPartialLastBlock) {
    // 100 % of 431 usable pixels: 47 full blocks and a 7-pixel partial one.
    const auto full = widgets::BarBlocks(431, false);
    ASSERT_EQ(full.size(), 48u);
    EXPECT_EQ(full[0], (BlockSpan{2, 9}));
    EXPECT_EQ(full[1], (BlockSpan{11, 18}));
    EXPECT_EQ(full[46], (BlockSpan{416, 423}));
    EXPECT_EQ(full[47], (BlockSpan{425, 432}));

    EXPECT_TRUE(widgets::BarBlocks(0, false).empty());
    EXPECT_TRUE(widgets::BarBlocks(1, false).empty());
    EXPECT_EQ(widgets::BarBlocks(4, false), (std::vector<BlockSpan>{{2, 5}}));
    EXPECT_EQ(widgets::BarBlocks(9, false), (std::vector<BlockSpan>{{2, 10}}));
    // A remainder of 1 or 2 pixels adds no block; 3 adds one of 2 pixels.
    EXPECT_EQ(widgets::BarBlocks(11, false), (std::vector<BlockSpan>{{2, 9}}));
    EXPECT_EQ(widgets::BarBlocks(12, false), (std::vector<BlockSpan>{{2, 9}, {11, 13}}));
    // A smooth bar is one continuous fill.
    EXPECT_EQ(widgets::BarBlocks(431, true), (std::vector<BlockSpan>{{2, 432}}));
    EXPECT_EQ(widgets::FilledLength(431, 1), 4);
    EXPECT_EQ(widgets::FilledLength(431, 42), 181);
}

TEST(LevelProgressBarPaint, FullBarBlocksAndHalvesOfSevenRows) {
    auto bar = ProgramBar(100);
    bar->SetShowPosition(false);
    const auto pixels = PaintAlone(*bar);
    const Color white = ui::colors::kWhite;
    // Blocks from row 2 to 15; rows 1 and 16 are the bar's background.
    EXPECT_EQ(pixels.At(5, 1), white);
    EXPECT_EQ(pixels.At(5, 16), white);
    // Upper half: light at the top toward red at the middle; row 6 shows
    // band 5 over band 4 (both start at row 6 after rounding 3.5 to 4).
    const int upperGreen[] = {202, 177, 152, 126, 76, 50, 25};
    for (int row = 0; row < 7; ++row) {
        EXPECT_EQ(pixels.At(5, 2 + row), Color::Rgb(255, upperGreen[row], upperGreen[row]))
            << "row " << 2 + row;
    }
    const int lowerGreen[] = {0, 25, 50, 76, 126, 152, 177};
    for (int row = 0; row < 7; ++row) {
        EXPECT_EQ(pixels.At(5, 9 + row), Color::Rgb(255, lowerGreen[row], lowerGreen[row]))
            << "row " << 9 + row;
    }
    // Gaps of two pixels between blocks, the partial block up to the border.
    EXPECT_EQ(pixels.At(1, 9), white);
    EXPECT_EQ(pixels.At(8, 9), ui::colors::kRed);
    EXPECT_EQ(pixels.At(9, 9), white);
    EXPECT_EQ(pixels.At(10, 9), white);
    EXPECT_EQ(pixels.At(11, 9), ui::colors::kRed);
    EXPECT_EQ(pixels.At(424, 9), white);
    EXPECT_EQ(pixels.At(431, 9), ui::colors::kRed);
    EXPECT_EQ(pixels.At(432, 9), kBorder);
}

TEST(LevelProgressBarPaint, LevelColoursChangeAtSeventyNinetyAndOneHundred) {
    const std::pair<int, Color> levels[] = {
        {69, Color::Rgb(0, 255, 0)},    {70, Color::Rgb(255, 255, 0)},
        {89, Color::Rgb(255, 255, 0)},  {90, Color::Rgb(255, 169, 83)},
        {99, Color::Rgb(255, 169, 83)}, {100, Color::Rgb(255, 0, 0)},
    };
    for (const auto& [percent, colour] : levels) {
        auto bar = ProgramBar(percent);
        bar->SetShowPosition(false);
        EXPECT_EQ(PaintAlone(*bar).At(5, 9), colour) << percent << " %";
    }
}

TEST(LevelProgressBarPaint, MoreThanOneHundredPercentStopsAtTheBorder) {
    // The maximum lowered below the position: the position is not clamped.
    // At 437 pixels the border column would lie inside the next block.
    auto bar = ProgramBar(80);
    bar->SetSize(437, 18);
    bar->SetMax(40);
    bar->SetShowPosition(false);
    EXPECT_EQ(bar->Percentage(), 200);
    const auto pixels = PaintAlone(*bar);
    EXPECT_EQ(pixels.At(435, 9), ui::colors::kRed);
    EXPECT_EQ(pixels.At(436, 9), kBorder);
}

TEST(LevelProgressBarPaint, OnePercentIsOneBlockThreePixelsWide) {
    auto bar = ProgramBar(1);
    bar->SetShowPosition(false);
    const auto pixels = PaintAlone(*bar);
    EXPECT_EQ(pixels.At(1, 9), ui::colors::kWhite);
    for (int x = 2; x < 5; ++x) {
        EXPECT_EQ(pixels.At(x, 9), Color::Rgb(0, 255, 0)) << x;
    }
    EXPECT_EQ(pixels.At(5, 9), ui::colors::kWhite);
}

TEST(LevelProgressBarPaint, RoundedCornersLetTheParentShowAndTheBorderIsGrey) {
    auto bar = ProgramBar(0);
    const auto pixels = PaintAlone(*bar);
    for (auto [x, y] : {std::pair{0, 0}, {1, 0}, {0, 1}, {432, 0}, {0, 17}, {432, 17}}) {
        EXPECT_EQ(pixels.At(x, y), kUnder) << x << "," << y;
    }
    for (auto [x, y] : {std::pair{2, 0}, {1, 1}, {0, 2}, {216, 17}, {432, 9}}) {
        EXPECT_EQ(pixels.At(x, y), kBorder) << x << "," << y;
    }
    bar->SetRounded(false);
    bar->SetShowBorder(false);
    const auto square = PaintAlone(*bar);
    EXPECT_EQ(square.At(0, 0), ui::colors::kWhite);
    EXPECT_EQ(square.At(432, 17), ui::colors::kWhite);
}

TEST(LevelProgressBarPaint, PercentageTextIsCentred) {
    // Headless Verdana -13: 8-pixel advance, 15-pixel cell; '42%' is 24 x 15
    // and starts at (216 - 12, 9 - 7); strokes from row 4 to row 12.
    auto bar = ProgramBar(42);
    EXPECT_EQ(bar->Text(), "42%");
    const auto pixels = PaintAlone(*bar);
    for (int x : {208, 216, 224}) {
        EXPECT_EQ(pixels.At(x, 4), ui::colors::kBlack) << x;
        EXPECT_EQ(pixels.At(x, 12), ui::colors::kBlack) << x;
    }
    EXPECT_EQ(pixels.At(212, 8), ui::colors::kWhite);
    bar->SetShowPercentage(false);
    EXPECT_EQ(bar->Text(), "42");
}

TEST(LevelProgressBarPaint, EmptyRangeShowsZeroPercentAndNoBlocks) {
    auto bar = ProgramBar(0);
    bar->SetMax(0);
    bar->SetPosition(0);
    EXPECT_EQ(bar->Percentage(), 0);
    EXPECT_EQ(bar->Text(), "0%");
    bar->SetShowPosition(false);
    const auto pixels = PaintAlone(*bar);
    for (int x = 1; x < 432; ++x) {
        ASSERT_EQ(pixels.At(x, 9), ui::colors::kWhite) << x;
    }
}

TEST(LevelProgressBarPaint, VerticalBarsFillFromTheBottom) {
    auto bar = std::make_unique<LevelProgressBar>();
    bar->SetSize(18, 102);
    bar->SetOrientation(BarOrientation::Vertical);
    bar->SetShowPosition(false);
    bar->SetPosition(10);  // 10 of 100 usable pixels: one 7-pixel block
    const auto pixels = PaintAlone(*bar);
    EXPECT_EQ(pixels.At(9, 99), Color::Rgb(0, 255, 0));
    EXPECT_EQ(pixels.At(9, 93), Color::Rgb(0, 255, 0));
    EXPECT_EQ(pixels.At(9, 92), ui::colors::kWhite);
    EXPECT_EQ(pixels.At(9, 50), ui::colors::kWhite);
    EXPECT_EQ(pixels.At(2, 99), Color::Rgb(225, 255, 225)) << "light at the sides";
}
