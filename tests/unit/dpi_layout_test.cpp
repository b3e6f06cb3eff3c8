#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <map>
#include <memory>

#include "app/main_form.h"
#include "install/inst_progress_form.h"
#include "platform/sim/sim_machine.h"
#include "test_resources.h"
#include "ui/application.h"
#include "ui/dpi.h"
#include "ui/headless/headless_ui.h"
#include "ui/label.h"
#include "widget_pixels.h"
#include "widgets/progress_geometry.h"

namespace {

TEST(ScaleLength, MultipliesByDpiOver96RoundingHalvesAwayFromZero) {
    const struct {
        int length, dpi, scaled;
    } cases[] = {
        {685, 96, 685}, {685, 120, 856}, {685, 144, 1028}, {685, 192, 1370}, {1, 144, 2},
        {3, 120, 4},    {-15, 120, -19}, {-15, 144, -23},  {-11, 144, -17},  {0, 192, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ui::ScaleLength(c.length, c.dpi), c.scaled) << c.length << " at " << c.dpi;
    }
}

class DpiLayout : public ::testing::Test {
  protected:
    DpiLayout() { LoadLayoutResources(machine); }
    ~DpiLayout() override {
        ui::headless::ClearPosted();
        ui::headless::SetScreenDpi(ui::kDesignDpi);
    }

    std::unique_ptr<TMainForm> MainWindow() {
        auto form =
            std::make_unique<TMainForm>(application, [](const std::string&) { return true; });
        form->Show();
        return form;
    }

    platform::sim::Machine machine;
    ui::Application application;
};

// Every label's right edge, by name.
std::map<std::string, int> LabelRights(ui::Form& form) {
    std::map<std::string, int> rights;
    const std::function<void(ui::Control&)> walk = [&](ui::Control& control) {
        if (control.Is<ui::Label>()) {
            rights[control.name()] = control.bounds().right;
        }
        if (auto* container = control.AsContainer()) {
            for (const auto& child : container->children()) {
                walk(*child);
            }
        }
    };
    walk(form);
    return rights;
}

// No label reaches further right than its designed edge, scaled (so none
// that fits its window at 96 dpi leaves it at another), and the centred ones
// are centred on their own width.
void ExpectLabelsPlaced(ui::Form& form, const std::map<std::string, int>& designed, int dpi) {
    for (const auto& [name, right] : LabelRights(form)) {
        EXPECT_LE(right, ui::ScaleLength(designed.at(name), dpi) + 1) << name << " at " << dpi;
    }
    for (const char* centred : {"lbIns1", "lbIns2", "lbP1Progname", "lbP1ProgVer"}) {
        const ui::Control& label = *form.Find(centred);
        EXPECT_LE(std::abs(2 * label.left() + label.width() - label.parent()->width()), 1)
            << centred << " at " << dpi;
    }
}

// Opened on a screen of that dpi, the window is laid out there before it shows.
TEST_F(DpiLayout, TheMainWindowIsLaidOutAtEachScale) {
    const std::map<std::string, int> designed = LabelRights(*MainWindow());
    for (const int dpi : {96, 120, 144, 192}) {
        ui::headless::SetScreenDpi(dpi);
        auto form = MainWindow();
        EXPECT_EQ(form->dpi(), dpi);
        const auto s = [dpi](int length) { return ui::ScaleLength(length, dpi); };
        EXPECT_EQ(form->width(), s(685)) << dpi;
        EXPECT_EQ(form->height(), s(400)) << dpi;
        EXPECT_EQ(form->Find("GradPanel1")->width(), s(185)) << dpi;
        EXPECT_EQ(form->Find("edInstallDir")->bounds(),
                  ui::Rect::FromSize(s(64), s(35), s(287), s(26)))
            << dpi;
        EXPECT_EQ(form->Find("btnSetup")->bounds(),
                  ui::Rect::FromSize(s(102), s(332), s(73), s(22)))
            << dpi;
        EXPECT_EQ(form->Find("lbIns1")->font().height, s(-15)) << dpi;
        EXPECT_EQ(form->Find("Image1")->width(), s(105)) << dpi;
        ExpectLabelsPlaced(*form, designed, dpi);
    }
}

TEST_F(DpiLayout, BackAt96TheWindowIsAsDesignedToThePixel) {
    auto designed = MainWindow();
    const ui::headless::PixelBuffer expected = ui::headless::Render(*designed);
    designed.reset();
    auto form = MainWindow();
    form->SetDpi(144);
    EXPECT_EQ(form->width(), 1028);
    form->SetDpi(96);
    const ui::headless::PixelBuffer again = ui::headless::Render(*form);
    ASSERT_EQ(again.width(), expected.width());
    ASSERT_EQ(again.height(), expected.height());
    int wrong = 0;
    for (int y = 0; y < expected.height(); ++y) {
        for (int x = 0; x < expected.width(); ++x) {
            wrong += again.At(x, y) != expected.At(x, y) ? 1 : 0;
        }
    }
    EXPECT_EQ(wrong, 0);
}

TEST_F(DpiLayout, TheProgressWindowIsLaidOutAtEachScaleWithItsCountStillRightAligned) {
    for (const int dpi : {120, 144, 192}) {
        ui::headless::PumpScript pumps;
        TInstProgressForm form(application);
        form.SetProgramName("Tessaly");
        form.Show();
        form.SetTotalBytes(100);
        form.SetCurrentFile("C:\\kr\\a");
        const int rightMargin =
            form.Find("GradPanel1")->width() - form.Find("lbFiles")->bounds().right;
        form.SetDpi(dpi);
        const auto s = [dpi](int length) { return ui::ScaleLength(length, dpi); };
        EXPECT_EQ(form.width(), s(447)) << dpi;
        EXPECT_EQ(form.height(), s(170)) << dpi;
        EXPECT_EQ(form.Find("btnCancel")->bounds(), ui::Rect::FromSize(s(267), s(6), s(114), s(26)))
            << dpi;
        const ui::Control& files = *form.Find("lbFiles");
        EXPECT_GT(form.Find("GradPanel1")->width() - files.bounds().right, rightMargin) << dpi;
        EXPECT_LE(files.bounds().right, form.Find("GradPanel1")->width()) << dpi;
    }
}

}  // namespace

// A button drawn at each scale: its untouched ring and focus dots are lines
// (one pixel below 192 dpi, two at 192), its face and caption scaled.
TEST_F(DpiLayout, ButtonsDrawTheirLinesWholeAtEachScale) {
    for (const int dpi : {96, 120, 144, 192}) {
        auto form = MainWindow();
        form->SetDpi(dpi);
        form->SetKeyboardCues({true, true});  // the focus is on Setup
        ui::Control& setup = *form->Find("btnSetup");
        const ui::headless::PixelBuffer pixels = widget_pixels::PaintAlone(setup);
        const int line = ui::LineWidth(dpi);
        const int middle = setup.height() / 2;
        for (int x = 0; x < line; ++x) {
            EXPECT_EQ(pixels.At(x, middle), widget_pixels::kUnder) << dpi << " ring at " << x;
        }
        EXPECT_NE(pixels.At(line, middle), widget_pixels::kUnder) << dpi << " face";
        // The first dots of the focus rectangle, two lines inside the face.
        const int cue = 3 * line;
        EXPECT_EQ(pixels.At(cue, cue), ui::colors::kWhite) << dpi;
        EXPECT_NE(pixels.At(cue + 1, cue), ui::colors::kWhite) << dpi;
        EXPECT_EQ(pixels.At(cue + 2, cue), ui::colors::kWhite) << dpi;
    }
}

TEST(BarBlocksAtScale, BlocksGapsAndLeadGrowWhileTheRulesStay) {
    using widgets::BlockSpan;
    const widgets::BarMetrics at144 = widgets::BarMetricsAt(144);
    const widgets::BarMetrics at192 = widgets::BarMetricsAt(192);
    EXPECT_EQ(at144.block, 11);
    EXPECT_EQ(at192.line, 2);
    const struct {
        const widgets::BarMetrics& metrics;
        int filled;
        std::vector<BlockSpan> blocks;
    } cases[] = {
        {at192, 2, {}},
        {at192, 10, {{4, 12}}},
        {at192, 40, {{4, 18}, {22, 36}}},
        {at192, 45, {{4, 18}, {22, 36}, {40, 47}}},
        {at144, 30, {{3, 14}, {17, 28}}},
        {at144, 32, {{3, 14}, {17, 28}, {31, 34}}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(widgets::BarBlocks(c.filled, false, c.metrics), c.blocks) << c.filled;
    }
}
