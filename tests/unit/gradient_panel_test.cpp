#include "widgets/gradient_panel.h"

#include <gtest/gtest.h>

#include "tests/unit/widget_pixels.h"
#include "ui/form.h"
#include "ui/headless/headless_ui.h"
#include "widgets/gradient_button.h"

using ui::Color;
using widget_pixels::PaintAlone;
using widgets::Bevel;
using widgets::GradientPanel;

namespace {

const Color kLight = ui::ResolveColor(Color::System(ui::SystemColor::BtnHighlight));
const Color kDark = ui::ResolveColor(Color::System(ui::SystemColor::BtnShadow));

// The main window's side panel.
std::unique_ptr<GradientPanel> SidePanel() {
    auto panel = std::make_unique<GradientPanel>("GradPanel1");
    panel->SetSize(185, 400);
    panel->SetColor(Color::FromPacked(19967));
    panel->SetColorTo(ui::colors::kMaroon);
    panel->SetBevelOuter(Bevel::None);
    return panel;
}

// The progress window's upper panel.
std::unique_ptr<GradientPanel> ProgressPanel() {
    auto panel = std::make_unique<GradientPanel>("GradPanel1");
    panel->SetSize(447, 129);
    panel->SetColor(ui::colors::kRed);
    panel->SetColorTo(ui::colors::kMaroon);
    return panel;
}

}  // namespace

TEST(GradientPanel, SidePanelHasThirtyTwoBandsReachingEveryEdge) {
    auto panel = SidePanel();
    const auto pixels = PaintAlone(*panel);
    EXPECT_EQ(pixels.At(0, 0), Color::Rgb(255, 77, 0));
    EXPECT_EQ(pixels.At(184, 11), Color::Rgb(255, 77, 0));
    EXPECT_EQ(pixels.At(0, 12), Color::Rgb(251, 75, 0));
    EXPECT_EQ(pixels.At(92, 388), Color::Rgb(132, 2, 0));
    EXPECT_EQ(pixels.At(184, 399), Color::Rgb(132, 2, 0));
    EXPECT_EQ(pixels.At(0, 387), Color::Rgb(136, 5, 0));  // band 30
    int bandsSeen = 1;
    for (int y = 1; y < 400; ++y) {
        EXPECT_EQ(pixels.At(0, y), pixels.At(184, y)) << "rows are one colour, row " << y;
        bandsSeen += pixels.At(0, y) != pixels.At(0, y - 1);
    }
    EXPECT_EQ(bandsSeen, 32);
}

TEST(GradientPanel, ShortPanelsStillUseThirtyTwoBandsTheLaterWinning) {
    auto panel = SidePanel();
    panel->SetSize(60, 10);
    panel->SetColor(ui::colors::kBlack);
    panel->SetColorTo(Color::Rgb(0, 0, 64));
    const auto pixels = PaintAlone(*panel);
    // Row 0 is band 1 (nearest(0.3125) = 0), row 9 band 30.
    EXPECT_EQ(pixels.At(5, 0), Color::Rgb(0, 0, 2));
    EXPECT_EQ(pixels.At(5, 9), Color::Rgb(0, 0, 60));
}

TEST(GradientPanel, NoEndColourMeansFlatAndAMirrorEndAloneChangesNothing) {
    auto flat = SidePanel();
    flat->SetColorTo(Color::None());
    const auto pixels = PaintAlone(*flat);
    EXPECT_EQ(pixels.At(0, 0), Color::Rgb(255, 77, 0));
    EXPECT_EQ(pixels.At(184, 399), Color::Rgb(255, 77, 0));

    auto plain = ProgressPanel();
    auto mirrorEndOnly = ProgressPanel();
    mirrorEndOnly->SetColorMirrorTo(ui::colors::kMaroon);
    EXPECT_TRUE(widget_pixels::SamePixels(PaintAlone(*plain), PaintAlone(*mirrorEndOnly)));
}

TEST(GradientPanel, MirrorPaintsTheSecondHalfAndDirectionTurnsTheBands) {
    auto panel = ProgressPanel();
    panel->SetBevelOuter(Bevel::None);
    panel->SetBorderColor(ui::colors::kBlack);
    panel->SetColorMirror(ui::colors::kYellow);
    panel->SetColorMirrorTo(ui::colors::kWhite);
    auto pixels = PaintAlone(*panel);
    EXPECT_EQ(pixels.At(100, 0), ui::colors::kRed);
    EXPECT_EQ(pixels.At(100, 63),
              widgets::StepColor(ui::colors::kRed, ui::colors::kMaroon, 31, 32));
    EXPECT_EQ(pixels.At(100, 64), ui::colors::kYellow);

    panel->SetColorMirror(Color::None());
    panel->SetGradientDirection(GradientPanel::Direction::Horizontal);
    pixels = PaintAlone(*panel);
    EXPECT_EQ(pixels.At(0, 100), ui::colors::kRed);
    EXPECT_EQ(pixels.At(446, 0), widgets::StepColor(ui::colors::kRed, ui::colors::kMaroon, 31, 32));
    EXPECT_EQ(pixels.At(200, 5), pixels.At(200, 120)) << "columns are one colour";
}

TEST(GradientPanel, RaisedBevelAndAFrameInTheStartColourWithoutBorderColour) {
    auto panel = ProgressPanel();
    auto pixels = PaintAlone(*panel);
    EXPECT_EQ(pixels.At(0, 0), kLight);
    EXPECT_EQ(pixels.At(445, 0), kLight);
    EXPECT_EQ(pixels.At(446, 0), kDark);
    EXPECT_EQ(pixels.At(0, 127), kLight);
    EXPECT_EQ(pixels.At(0, 128), kDark);
    EXPECT_EQ(pixels.At(446, 64), kDark);
    EXPECT_EQ(pixels.At(1, 1), ui::colors::kRed) << "the gradient inside the bevel";

    panel->SetBevelOuter(Bevel::Lowered);
    panel->SetBorderColor(Color::None());
    panel->SetColorTo(ui::colors::kBlack);
    pixels = PaintAlone(*panel);
    EXPECT_EQ(pixels.At(0, 0), kDark);
    EXPECT_EQ(pixels.At(446, 128), kLight);
    EXPECT_EQ(pixels.At(1, 120), ui::colors::kRed) << "a frame in the start colour";
    EXPECT_EQ(pixels.At(445, 127), ui::colors::kRed);
    EXPECT_NE(pixels.At(2, 120), ui::colors::kRed);

    panel->SetBorderColor(ui::colors::kYellow);
    panel->SetBorderWidth(2);
    panel->SetBevelInner(Bevel::Raised);
    pixels = PaintAlone(*panel);
    EXPECT_EQ(pixels.At(1, 60), ui::colors::kYellow);
    EXPECT_EQ(pixels.At(2, 60), kDark);
    EXPECT_EQ(pixels.At(3, 60), kLight);
}

TEST(GradientPanel, UnbufferedPaintsTheSamePixels) {
    auto buffered = ProgressPanel();
    auto direct = ProgressPanel();
    direct->SetBuffered(false);
    EXPECT_TRUE(widget_pixels::SamePixels(PaintAlone(*buffered), PaintAlone(*direct)));
}

TEST(GradientPanel, SameColourAgainDoesNotRepaint) {
    auto panel = ProgressPanel();
    const int requests = panel->repaintRequests();
    panel->SetColorTo(ui::colors::kMaroon);
    panel->SetColorMirror(Color::None());
    panel->SetColorMirrorTo(Color::None());
    panel->SetGradientDirection(GradientPanel::Direction::Vertical);
    EXPECT_EQ(panel->repaintRequests(), requests);
    panel->SetColorMirrorTo(ui::colors::kMaroon);
    EXPECT_EQ(panel->repaintRequests(), requests + 1);
}

TEST(GradientPanel, IsAWindowWhoseChildrenPaintOverIt) {
    ui::Form form("Progress");
    form.SetClientSize(447, 170);
    auto& panel = form.Add(ProgressPanel());
    panel.SetBounds({0, 129, 447, 170});
    auto& button = panel.Add(std::make_unique<widgets::GradientButton>("btnCancel"));
    button.SetBounds(ui::Rect::FromSize(267, 6, 114, 26));
    button.SetColor(ui::colors::kYellow);
    form.CreateWindowHandle();
    EXPECT_TRUE(panel.IsWindowed());
    EXPECT_NE(panel.host(), nullptr);
    const auto pixels = ui::headless::Render(form);
    EXPECT_EQ(pixels.At(270, 129 + 10), ui::colors::kYellow);
    EXPECT_EQ(pixels.At(260, 129 + 10), pixels.At(200, 129 + 10));
}
