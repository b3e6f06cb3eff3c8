#include <gtest/gtest.h>

#include <climits>

#include "ui/form.h"
#include "ui/headless/headless_ui.h"
#include "widgets/gradient_panel.h"
#include "widgets/level_progress_bar.h"

using widgets::LevelProgressBar;

namespace {

// The bar inside a panel of a window, as the progress window has it.
class BarWindow : public ::testing::Test {
  protected:
    BarWindow() : form_("Progress") {
        form_.SetClientSize(447, 170);
        panel_ = &form_.Add(std::make_unique<widgets::GradientPanel>("GradPanel1"));
        panel_->SetBounds({0, 0, 447, 129});
        bar_ = &panel_->Add(std::make_unique<LevelProgressBar>("pbar"));
        bar_->SetBounds(ui::Rect::FromSize(8, 92, 433, 18));
        form_.CreateWindowHandle();
    }
    int Paints() { return ui::headless::SynchronousPaints(*panel_); }

    ui::Form form_;
    widgets::GradientPanel* panel_ = nullptr;
    LevelProgressBar* bar_ = nullptr;
};

}  // namespace

TEST_F(BarWindow, PositionOutsideTheRangeIsClampedWithoutRepaint) {
    bar_->SetPosition(30);
    const int requests = bar_->repaintRequests();
    const int paints = Paints();
    bar_->SetPosition(250);
    EXPECT_EQ(bar_->position(), 100);
    bar_->SetPosition(-5);
    EXPECT_EQ(bar_->position(), 0);
    EXPECT_EQ(bar_->repaintRequests(), requests);
    EXPECT_EQ(Paints(), paints);
    // Set to the limit itself afterwards, it shows the new percentage.
    bar_->SetPosition(100);
    EXPECT_EQ(Paints(), paints + 1);
}

TEST_F(BarWindow, RepaintsAtOnceAndOnlyForANewPosition) {
    bar_->SetPosition(10);
    const int paints = Paints();
    bar_->SetPosition(11);
    EXPECT_EQ(Paints(), paints + 1);
    bar_->SetPosition(11);
    EXPECT_EQ(Paints(), paints + 1);
}

TEST_F(BarWindow, RangeOfMillionsRepaintsAboutOncePerPercent) {
    bar_->SetMax(5'000'000);
    EXPECT_EQ(bar_->repaintStep(), 50'000);
    const int paints = Paints();
    int calls = 0;
    for (int done = 0; done <= 5'000'000; done += 4'096) {
        bar_->SetPosition(done);
        ++calls;
    }
    const int repaints = Paints() - paints;
    // The percentage changes at every half percent and the step at every
    // whole one, out of 1,221 positions.
    EXPECT_GE(repaints, 100);
    EXPECT_LE(repaints, 201);
    EXPECT_GT(calls, 1200);
}

TEST_F(BarWindow, RepaintStepFollowsTheRangeAndALimitChangeAsksForAPaint) {
    EXPECT_EQ(bar_->repaintStep(), 1);
    const int requests = bar_->repaintRequests();
    const int paints = Paints();
    bar_->SetMax(12'345);
    EXPECT_EQ(bar_->repaintStep(), 123);
    bar_->SetMin(45);
    EXPECT_EQ(bar_->repaintStep(), 123);
    EXPECT_EQ(bar_->repaintRequests(), requests + 2);
    EXPECT_EQ(Paints(), paints) << "limits repaint with the window, not at once";
    bar_->SetMax(12'345);
    EXPECT_EQ(bar_->repaintRequests(), requests + 2);
}

TEST_F(BarWindow, PercentageDividesThePositionItself) {
    bar_->SetMin(50);
    bar_->SetMax(150);
    bar_->SetPosition(75);
    EXPECT_EQ(bar_->Percentage(), 75);
    bar_->SetMax(50);
    EXPECT_EQ(bar_->Percentage(), 0);
    // Extreme limits do not overflow.
    bar_->SetMin(INT_MIN);
    bar_->SetMax(INT_MAX);
    EXPECT_EQ(bar_->repaintStep(), 42'949'672);
    bar_->SetPosition(INT_MAX);
    EXPECT_EQ(bar_->Percentage(), 50);
}

TEST_F(BarWindow, DisplaySettingsRepaintOnlyWhenChanged) {
    const int requests = bar_->repaintRequests();
    bar_->SetLevel1Perc(70);
    bar_->SetLevelColor(3, ui::Color::Rgb(255, 0, 0));
    bar_->SetShowBorder(true);
    bar_->SetSteps(8);
    EXPECT_EQ(bar_->repaintRequests(), requests);
    bar_->SetLevelColorTo(0, ui::Color::Rgb(1, 2, 3));
    bar_->SetRounded(false);
    EXPECT_EQ(bar_->repaintRequests(), requests + 2);
}
