#include "widgets/gradient_background.h"

#include <gtest/gtest.h>

#include <set>

#include "tests/unit/widget_pixels.h"
#include "ui/form.h"
#include "widgets/gradient.h"

using ui::Color;
using widget_pixels::kUnder;
using widget_pixels::PaintAlone;
using widgets::GradientBackground;
using widgets::GradientStyle;

namespace {

std::unique_ptr<GradientBackground> Page(GradientStyle style, int width, int height) {
    auto background = std::make_unique<GradientBackground>();
    background->SetAlign(ui::Align::None);
    background->SetSize(width, height);
    background->SetStyle(style);
    background->SetStartColor(ui::colors::kMaroon);
    background->SetEndColor(ui::colors::kRed);
    return background;
}

}  // namespace

TEST(GradientBackground, VerticalRunsFromStartToOneIncrementShortOfTheEnd) {
    auto page = Page(GradientStyle::grVertical, 492, 390);
    const auto pixels = PaintAlone(*page);
    EXPECT_EQ(pixels.At(0, 0), ui::colors::kMaroon);
    EXPECT_EQ(pixels.At(491, 3), ui::colors::kMaroon);
    EXPECT_EQ(pixels.At(200, 4), Color::Rgb(129, 0, 0));  // nearest(128 + 1.27)
    EXPECT_EQ(pixels.At(100, 389), Color::Rgb(254, 0, 0));
    EXPECT_EQ(pixels.At(100, 386), Color::Rgb(254, 0, 0));
    EXPECT_EQ(pixels.At(100, 385), Color::Rgb(252, 0, 0));  // band 98
    for (int y = 0; y < 390; ++y) {
        EXPECT_EQ(pixels.At(0, y), pixels.At(491, y)) << "rows are one colour, row " << y;
    }
}

TEST(GradientBackground, PyramidKeepsTheEdgesAndStepsInward) {
    auto page = Page(GradientStyle::grPyramid, 492, 390);
    const auto pixels = PaintAlone(*page);
    for (auto [x, y] : {std::pair{0, 0}, {491, 0}, {0, 389}, {491, 389}, {1, 200}, {245, 1}}) {
        EXPECT_EQ(pixels.At(x, y), ui::colors::kMaroon) << x << "," << y;
    }
    // Band 1 is inset by nearest(2.46) = 2 at the sides and nearest(1.95) = 2
    // at top and bottom; the middle shows band 99 (band 100 is empty).
    EXPECT_EQ(pixels.At(2, 200), Color::Rgb(129, 0, 0));
    EXPECT_EQ(pixels.At(245, 2), Color::Rgb(129, 0, 0));
    EXPECT_EQ(pixels.At(246, 195), Color::Rgb(254, 0, 0));
}

TEST(GradientBackground, NestedStylesUseNoMoreBandsThanHalfEachSide) {
    EXPECT_EQ(widgets::BackgroundSteps(GradientStyle::grPyramid, 100, 10, 100), 5);
    EXPECT_EQ(widgets::BackgroundSteps(GradientStyle::grMount, 100, 100, 7), 3);
    EXPECT_EQ(widgets::BackgroundSteps(GradientStyle::grVertical, 100, 50, 10), 10);
    EXPECT_EQ(widgets::BackgroundSteps(GradientStyle::grHorizontal, 100, 50, 10), 50);
    EXPECT_EQ(widgets::BackgroundSteps(GradientStyle::grPyramid, 100, 1, 1), 1);
    EXPECT_EQ(widgets::BackgroundSteps(GradientStyle::grVertical, 0, 50, 10), 1);

    // On 10 x 100 the pyramid has 5 rings a column wide: 6 colours across.
    auto page = Page(GradientStyle::grPyramid, 10, 100);
    page->SetStartColor(ui::colors::kBlack);
    page->SetEndColor(Color::Rgb(0, 0, 250));
    const auto pixels = PaintAlone(*page);
    for (int x = 0; x < 5; ++x) {
        EXPECT_EQ(pixels.At(x, 50), Color::Rgb(0, 0, static_cast<std::uint8_t>(50 * x))) << x;
    }
}

TEST(GradientBackground, StepsZeroActsAsOneAndShortPagesGetARowPerBand) {
    auto zero = Page(GradientStyle::grVertical, 20, 30);
    zero->SetSteps(0);
    auto one = Page(GradientStyle::grVertical, 20, 30);
    one->SetSteps(1);
    const auto pixels = PaintAlone(*zero);
    EXPECT_TRUE(widget_pixels::SamePixels(pixels, PaintAlone(*one)));
    EXPECT_EQ(pixels.At(10, 29), ui::colors::kMaroon);

    auto shallow = Page(GradientStyle::grVertical, 20, 10);
    const auto rows = PaintAlone(*shallow);
    std::set<std::uint32_t> colours;
    for (int y = 0; y < 10; ++y) {
        colours.insert(rows.At(0, y).packed());
    }
    EXPECT_EQ(colours.size(), 10u);
    EXPECT_EQ(rows.At(0, 9), Color::Rgb(242, 0, 0));  // nearest(128 + 9 * 12.7)
}

TEST(GradientBackground, EqualColoursGiveOneFlatColourInEveryStyle) {
    for (GradientStyle style :
         {GradientStyle::grFilled, GradientStyle::grEllipse, GradientStyle::grHorizontal,
          GradientStyle::grVertical, GradientStyle::grPyramid, GradientStyle::grMount}) {
        auto page = Page(style, 61, 47);
        page->SetStartColor(Color::Rgb(10, 200, 30));
        page->SetEndColor(Color::Rgb(10, 200, 30));
        const auto pixels = PaintAlone(*page);
        for (int y = 0; y < 47; ++y) {
            for (int x = 0; x < 61; ++x) {
                ASSERT_EQ(pixels.At(x, y), Color::Rgb(10, 200, 30))
                    << "style " << static_cast<int>(style) << " at " << x << "," << y;
            }
        }
    }
}

TEST(GradientBackground, EllipseAndMountCoverTheAreaAndReachTheEndInTheMiddle) {
    for (GradientStyle style : {GradientStyle::grEllipse, GradientStyle::grMount}) {
        auto page = Page(style, 200, 120);
        page->SetSteps(10);
        const auto pixels = PaintAlone(*page);
        EXPECT_EQ(pixels.At(0, 0), ui::colors::kMaroon);
        EXPECT_EQ(pixels.At(199, 119), ui::colors::kMaroon);
        EXPECT_EQ(pixels.At(100, 60), Color::Rgb(242, 0, 0));  // band 9 of 10
        for (int y = 0; y < 120; ++y) {
            for (int x = 0; x < 200; ++x) {
                ASSERT_NE(pixels.At(x, y), kUnder) << x << "," << y;
            }
        }
    }
}

TEST(GradientBackground, BitmapIsRebuiltOnlyForANewSizeOrSetting) {
    auto page = Page(GradientStyle::grVertical, 40, 30);
    PaintAlone(*page);
    PaintAlone(*page);
    EXPECT_EQ(page->gradientBuilds(), 1);

    const int requests = page->repaintRequests();
    page->SetStyle(GradientStyle::grVertical);
    page->SetStartColor(ui::colors::kMaroon);
    page->SetEndColor(ui::colors::kRed);
    page->SetSteps(100);
    EXPECT_EQ(page->repaintRequests(), requests);
    PaintAlone(*page);
    EXPECT_EQ(page->gradientBuilds(), 1);

    page->SetEndColor(ui::colors::kYellow);
    EXPECT_GT(page->repaintRequests(), requests);
    const auto pixels = PaintAlone(*page);
    EXPECT_EQ(page->gradientBuilds(), 2);
    EXPECT_EQ(pixels.At(0, 29),
              widgets::RampColor(ui::colors::kMaroon, ui::colors::kYellow, 29, 30));

    page->SetSize(40, 31);
    PaintAlone(*page);
    EXPECT_EQ(page->gradientBuilds(), 3);
}

TEST(GradientBackground, NothingToPaintWithoutWidthOrHeight) {
    auto page = Page(GradientStyle::grVertical, 0, 30);
    ui::headless::PixelBuffer buffer(10, 30, kUnder);
    ui::headless::PixelCanvas canvas(buffer);
    page->Paint(canvas);
    page->Paint(canvas);
    EXPECT_EQ(page->gradientBuilds(), 0);
    EXPECT_EQ(buffer.At(0, 0), kUnder);
}

TEST(GradientBackground, FillsItsPageAndLetsTheMouseThrough) {
    ui::Form form("Page");
    form.SetClientSize(300, 200);
    auto& page = form.Add(std::make_unique<GradientBackground>("Background"));
    EXPECT_EQ(page.bounds(), (ui::Rect{0, 0, 300, 200}));
    form.SetClientSize(320, 210);
    EXPECT_EQ(page.bounds(), (ui::Rect{0, 0, 320, 210}));
    EXPECT_EQ(form.HitTest({10, 10}), &form);
}
