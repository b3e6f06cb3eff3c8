#include "widgets/gradient.h"

#include <gtest/gtest.h>

#include <cfenv>

#include "tests/unit/widget_pixels.h"

using ui::Color;
using widgets::Band;

TEST(RoundHalfEven, TiesGoToTheEvenNeighbourWhateverTheRoundingMode) {
    const int previous = std::fegetround();
    for (int mode : {FE_TONEAREST, FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO}) {
        std::fesetround(mode);
        EXPECT_EQ(widgets::RoundHalfEven(0.5), 0);
        EXPECT_EQ(widgets::RoundHalfEven(1.5), 2);
        EXPECT_EQ(widgets::RoundHalfEven(2.5), 2);
        EXPECT_EQ(widgets::RoundHalfEven(12.5), 12);
        EXPECT_EQ(widgets::RoundHalfEven(-0.5), 0);
        EXPECT_EQ(widgets::RoundHalfEven(-1.5), -2);
        EXPECT_EQ(widgets::RoundHalfEven(-2.5), -2);
        EXPECT_EQ(widgets::RoundHalfEven(2.4999), 2);
        EXPECT_EQ(widgets::RoundHalfEven(-119.0625), -119);
        EXPECT_EQ(widgets::RoundHalfEven(253.73), 254);
    }
    std::fesetround(previous);
}

TEST(StepColor, MovesTowardTheEndWithoutReachingIt) {
    const Color start = Color::Rgb(255, 77, 0);
    EXPECT_EQ(widgets::StepColor(start, ui::colors::kMaroon, 0, 32), start);
    // The side panel's last band.
    EXPECT_EQ(widgets::StepColor(start, ui::colors::kMaroon, 31, 32), Color::Rgb(132, 2, 0));
    // A button face's last band: 15/16 of the way from red to maroon.
    EXPECT_EQ(widgets::StepColor(ui::colors::kRed, ui::colors::kMaroon, 15, 16),
              Color::Rgb(136, 0, 0));
    // System colours are resolved before the arithmetic.
    const Color face = ui::ResolveColor(Color::System(ui::SystemColor::BtnFace));
    EXPECT_EQ(widgets::StepColor(Color::System(ui::SystemColor::BtnFace), face, 5, 16), face);
}

TEST(RampColor, RoundsTheSumAndReachesTheEnd) {
    // Rounding the sum, not the increment: 127 + 0.5 goes to 128 (even).
    EXPECT_EQ(widgets::RampColor(Color::Rgb(127, 0, 0), Color::Rgb(128, 0, 0), 1, 2),
              Color::Rgb(128, 0, 0));
    EXPECT_EQ(widgets::RampColor(ui::colors::kMaroon, ui::colors::kRed, 99, 100),
              Color::Rgb(254, 0, 0));
    EXPECT_EQ(widgets::RampColor(ui::colors::kMaroon, ui::colors::kRed, 100, 100),
              ui::colors::kRed);
}

TEST(FaceBands, SixteenOverlappingBandsTheLastOneReachingPastTheFace) {
    // A 22-pixel button's face runs from row 1 to row 21 (exclusive).
    const auto bands = widgets::FaceBands(1, 21, ui::colors::kRed, ui::colors::kMaroon);
    ASSERT_EQ(bands.size(), 16u);
    EXPECT_EQ(bands.front(), (Band{1, 3, ui::colors::kRed}));
    // 1.25 rows apart, each nearest(1.25) + 1 = 2 long; 2.5 rounds to 2.
    EXPECT_EQ(bands[1].start, 2);
    EXPECT_EQ(bands[2].start, 3);
    EXPECT_EQ(bands[3].start, 5);
    EXPECT_EQ(bands.back(), (Band{20, 22, Color::Rgb(136, 0, 0)}));
}

TEST(ShadeBands, BandsHalfAPixelApartRoundToEvenStarts) {
    const auto bands = widgets::ShadeBands(0, 400, Color::Rgb(255, 77, 0), ui::colors::kMaroon, 32);
    ASSERT_EQ(bands.size(), 32u);
    const int starts[] = {0, 12, 25, 38, 50, 62, 75, 88};
    for (int n = 0; n < 8; ++n) {
        EXPECT_EQ(bands[n].start, starts[n]) << n;
        EXPECT_EQ(bands[n].end, starts[n] + 13) << n;
    }
    // The last band is cut at the end.
    EXPECT_EQ(bands.back(), (Band{388, 400, Color::Rgb(132, 2, 0)}));
}

TEST(ShadeBands, ShorterThanOnePixelPerBandOverlapsAndZeroCountsAsOne) {
    // A block half of 7 rows in 8 bands: two bands share row 4.
    const auto bands = widgets::ShadeBands(0, 7, Color::Rgb(0, 0, 0), Color::Rgb(0, 0, 80), 8);
    const int starts[] = {0, 1, 2, 3, 4, 4, 5, 6};
    for (int n = 0; n < 8; ++n) {
        EXPECT_EQ(bands[n].start, starts[n]) << n;
        EXPECT_EQ(bands[n].end, starts[n] + 1) << n;
    }
    const auto one = widgets::ShadeBands(3, 9, ui::colors::kRed, ui::colors::kBlack, 0);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0], (Band{3, 9, ui::colors::kRed}));
}

TEST(RampBands, StepsPlusOneBandsTheLastBelowTheArea) {
    const auto bands = widgets::RampBands(390, ui::colors::kMaroon, ui::colors::kRed, 100);
    ASSERT_EQ(bands.size(), 101u);
    EXPECT_EQ(bands[0], (Band{0, 4, ui::colors::kMaroon}));
    EXPECT_EQ(bands[99], (Band{386, 390, Color::Rgb(254, 0, 0)}));
    EXPECT_EQ(bands[100].start, 390);
    for (std::size_t i = 1; i < bands.size(); ++i) {
        EXPECT_EQ(bands[i].start, bands[i - 1].end) << "bands meet without gaps";
    }
}

TEST(NestedBands, InnermostBandOfAnOddSideIsOnePixelInTheMiddle) {
    const auto bands = widgets::NestedBands(11, 20, ui::colors::kBlack, ui::colors::kWhite, 5);
    ASSERT_EQ(bands.size(), 6u);
    EXPECT_EQ(bands[0].rect, (ui::Rect{0, 0, 11, 20}));
    EXPECT_EQ(bands[1].rect, (ui::Rect{1, 2, 10, 18}));
    // nearest(5 * 1.1) = 6 would cross 11 - 6 = 5: put in order, column 5.
    EXPECT_EQ(bands[5].rect, (ui::Rect{5, 10, 6, 10}));
    EXPECT_EQ(bands[5].color, ui::colors::kWhite);
}
