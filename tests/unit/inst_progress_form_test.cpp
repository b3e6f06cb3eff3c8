#include "install/inst_progress_form.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "platform/sim/sim_machine.h"
#include "test_resources.h"
#include "ui/application.h"
#include "ui/headless/headless_ui.h"
#include "widgets/gradient_button.h"
#include "widgets/level_progress_bar.h"

using ui::headless::PumpScript;

namespace {

// The window as the run opens it: created, named, staged and shown (the
// show handler's status text is pump 1).
class ProgressForm : public ::testing::Test {
  protected:
    ProgressForm() {
        LoadLayoutResources(machine);
        form = std::make_unique<TInstProgressForm>(application);
        form->SetProgramName("Tessaly");
        form->SetStage("Installing ...");
        form->Show();
    }
    ~ProgressForm() override { ui::headless::ClearPosted(); }

    template <typename T = ui::Label>
    T& Get(const std::string& name) {
        return *dynamic_cast<T*>(form->Find(name));
    }
    std::string Text(const std::string& label) { return Get(label).caption(); }
    widgets::GradientButton& Pause() { return Get<widgets::GradientButton>("btnPause"); }
    widgets::GradientButton& Cancel() { return Get<widgets::GradientButton>("btnCancel"); }
    widgets::LevelProgressBar& Bar() { return Get<widgets::LevelProgressBar>("pbar"); }
    // Clicks as the user would, when run as a scripted event.
    std::function<void()> ClickOn(widgets::GradientButton& button) {
        return [this, &button] { ui::headless::Click(*form, ui::headless::CentreOf(button)); };
    }
    std::function<void()> CloseBox() {
        return [this] { form->Close(); };
    }

    platform::sim::Machine machine;
    ui::Application application;
    PumpScript pumps;
    std::unique_ptr<TInstProgressForm> form;
};

}  // namespace

TEST_F(ProgressForm, OpensAsDesignedShowingOnlyStageNameCountAndButtons) {
    EXPECT_EQ(form->caption(), "Installation Progress");
    EXPECT_EQ(form->bounds(), ui::Rect::FromSize(0, 0, 447, 170));
    EXPECT_EQ(form->color(), ui::colors::kMaroon);
    EXPECT_EQ(form->position(), ui::FormPosition::ScreenCenter);
    EXPECT_EQ(form->borderStyle(), ui::BorderStyle::Sizeable);
    EXPECT_TRUE(form->borderIcons().minimize && form->borderIcons().maximize);
    EXPECT_EQ(form->Find("GradPanel2")->bounds(), ui::Rect::FromSize(0, 129, 447, 41));
    EXPECT_EQ(form->Find("GradPanel1")->bounds(), ui::Rect::FromSize(0, 0, 447, 129));
    EXPECT_EQ(Pause().bounds(), ui::Rect::FromSize(54, 6, 114, 26));
    EXPECT_EQ(Cancel().bounds(), ui::Rect::FromSize(267, 6, 114, 26));
    EXPECT_EQ(Bar().bounds(), ui::Rect::FromSize(8, 92, 433, 18));

    EXPECT_EQ(Text("lbStage"), "Installing ...");
    EXPECT_EQ(Get("lbStage").bounds().left, 8);
    // Tahoma -15 bold advances 10 pixels: 70 wide, so (447 - 70) / 2.
    EXPECT_EQ(Text("lbProgramName"), "Tessaly");
    EXPECT_EQ(Get("lbProgramName").bounds(), ui::Rect::FromSize(188, 41, 70, 18));
    EXPECT_EQ(Get("lbProgramName").color(), ui::colors::kRed);
    EXPECT_EQ(Text("lbFiles"), "Files:  0");
    EXPECT_EQ(Get("lbFiles").left(), 368);
    EXPECT_EQ(Pause().caption(), "Pause");
    for (const char* hidden : {"pbar", "lbFileName", "lbStatus"}) {
        EXPECT_FALSE(form->Find(hidden)->visible()) << hidden;
    }
    EXPECT_EQ(Text("lbStatus"), "0 of 0 bytes");
    EXPECT_EQ(pumps.pumps(), 1);
    // The bar painted at 0, then the panel without it, at once: nothing
    // pumps while the items load.
    EXPECT_EQ(ui::headless::SynchronousPaints(*form->Find("GradPanel1")), 2);
    EXPECT_FALSE(form->Cancelled());
}

TEST_F(ProgressForm, TheTotalShowsAtOnceWithoutPumping) {
    const int paints = ui::headless::SynchronousPaints(*form->Find("GradPanel1"));
    form->SetTotalBytes(2500000);
    EXPECT_EQ(Text("lbStatus"), "0 of 2,500,000 bytes");
    EXPECT_EQ(Get("lbStatus").left(), (447 - Get("lbStatus").width()) / 2);
    EXPECT_EQ(Text("lbFileName"), "");
    for (const char* shown : {"pbar", "lbFileName", "lbStatus"}) {
        EXPECT_TRUE(form->Find(shown)->visible()) << shown;
    }
    EXPECT_EQ(Bar().max(), 2500000);
    EXPECT_EQ(Bar().position(), 0);
    EXPECT_EQ(pumps.pumps(), 1);
    EXPECT_EQ(ui::headless::SynchronousPaints(*form->Find("GradPanel1")), paints + 1);
}

TEST_F(ProgressForm, TheFileCountCountsAnnouncedFilesAndStaysRightAligned) {
    form->SetTotalBytes(300);
    for (const char* path : {"C:\\kr\\a", "C:\\kr\\b", "C:\\kr\\tessaly.exe"}) {
        form->SetCurrentFile(path);
    }
    EXPECT_EQ(Text("lbFileName"), "C:\\kr\\tessaly.exe");
    EXPECT_EQ(Text("lbFiles"), "Files: 3");
    // Panel font: 9 pixels a character; "##" is 18 wide.
    EXPECT_EQ(Get("lbFiles").bounds(), ui::Rect::FromSize(447 - 72 - 18, 73, 72, 15));
    EXPECT_EQ(pumps.pumps(), 1);
}

TEST_F(ProgressForm, BytesDoneShowsGroupedCountsAndPumpsOnlyForANewCount) {
    struct Case {
        const char* separator;
        std::uint32_t done, total;
        const char* text;
    };
    for (const Case& c : {Case{",", 1234567, 2500000, "1,234,567 of 2,500,000 bytes"},
                          Case{".", 999, 1000, "999 of 1.000 bytes"},
                          Case{"", 4000000000u, 4000000000u, "4000000000 of 4000000000 bytes"},
                          Case{",", 0, 0, "0 of 0 bytes"}}) {
        machine.SetThousandsSeparator(c.separator);
        form->SetTotalBytes(c.total);
        const int before = pumps.pumps();
        form->SetBytesDone(c.done);
        if (c.done != 0) {
            EXPECT_EQ(pumps.pumps(), before + 1) << c.text;
        }
        EXPECT_EQ(Text("lbStatus"), c.text);
        EXPECT_EQ(Get("lbStatus").left(), (447 - Get("lbStatus").width()) / 2) << c.text;
        form->SetBytesDone(c.done);  // the same count again changes nothing
        EXPECT_EQ(pumps.pumps(), before + (c.done != 0 ? 1 : 0)) << c.text;
        EXPECT_EQ(Text("lbStatus"), c.text);
    }
}

TEST_F(ProgressForm, ARunOfNoBytesShowsAnEmptyBar) {
    form->SetTotalBytes(0);
    form->SetBytesDone(0);
    EXPECT_EQ(Text("lbStatus"), "0 of 0 bytes");
    EXPECT_EQ(Bar().Percentage(), 0);
    // Inside the border, where the first block would start: background white.
    const auto pixels = ui::headless::Render(*form);
    EXPECT_EQ(pixels.At(8 + 4, 92 + 4), ui::colors::kWhite);
}

TEST_F(ProgressForm, PauseHoldsTheRunInsideItsPumpUntilResumeCancelOrClose) {
    struct Case {
        const char* name;
        std::vector<std::pair<int, const char*>> script;  // pump, what happens
        bool cancelled;
        bool visible;
    };
    const Case cases[] = {
        {"pause, resume", {{2, "pause"}, {4, "pause"}}, false, true},
        {"pause and resume in one pump", {{2, "pause"}, {2, "pause"}}, false, true},
        {"pause, cancel", {{2, "pause"}, {3, "cancel"}}, true, true},
        {"pause, close box", {{2, "pause"}, {3, "close"}}, true, true},
        {"close box while writing", {{2, "close"}}, true, true},
        {"close box twice", {{2, "close"}, {2, "close"}}, true, false},
    };
    for (const Case& c : cases) {
        PumpScript script;
        form = std::make_unique<TInstProgressForm>(application);
        form->Show();  // pump 1
        std::string seen;
        // While paused, the run is held: the button reads "Resume".
        script.At(3, [&] { seen = Pause().caption(); });
        for (const auto& [pump, what] : c.script) {
            const std::string action = what;
            script.At(pump, action == "pause"    ? ClickOn(Pause())
                            : action == "cancel" ? ClickOn(Cancel())
                                                 : CloseBox());
        }
        form->SetTotalBytes(100);
        form->SetCurrentFile("C:\\kr\\a");
        form->SetBytesDone(50);
        EXPECT_EQ(form->Cancelled(), c.cancelled) << c.name;
        EXPECT_FALSE(form->Paused()) << c.name;
        EXPECT_EQ(form->visible(), c.visible) << c.name;
        EXPECT_EQ(Pause().caption(), "Pause") << c.name;
        if (c.script.size() == 2 && c.script[0].first == 2 && c.script[1].first > 2) {
            EXPECT_EQ(seen, "Resume") << c.name;
        }
    }
}

TEST_F(ProgressForm, AfterAResumeTheButtonPausesAgain) {
    pumps.At(2, ClickOn(Pause()));
    pumps.At(3, ClickOn(Pause()));  // resume
    pumps.At(4, ClickOn(Pause()));  // pause again, in the next file's pump
    pumps.At(5, ClickOn(Cancel()));
    form->SetTotalBytes(100);
    form->SetBytesDone(10);
    EXPECT_FALSE(form->Cancelled());
    form->SetBytesDone(20);
    EXPECT_TRUE(form->Cancelled());
    EXPECT_EQ(pumps.pumps(), 5);
}

TEST_F(ProgressForm, FinishWaitsForOkOrTheCloseBoxAndLeavesCancelledClear) {
    for (const bool viaCloseBox : {false, true}) {
        PumpScript script;
        form = std::make_unique<TInstProgressForm>(application);
        form->Show();  // pump 1
        form->SetTotalBytes(10);
        script.At(3, viaCloseBox ? CloseBox() : ClickOn(Cancel()));
        form->FinishProgress();
        EXPECT_EQ(script.pumps(), 3);
        EXPECT_FALSE(form->Cancelled());
        EXPECT_TRUE(form->visible());  // the first close attempt never closes
        EXPECT_FALSE(Pause().visible());
        EXPECT_EQ(Cancel().caption(), "OK");
        EXPECT_EQ(Cancel().left(), 166);
        EXPECT_EQ(Text("lbStage"), "Installation Successful.");
        EXPECT_FALSE(Get("lbFileName").visible());
    }
}

TEST_F(ProgressForm, FinishAfterACancelReturnsAtOnceWithCancelledSet) {
    pumps.At(2, ClickOn(Cancel()));
    form->SetTotalBytes(10);
    form->SetBytesDone(10);
    ASSERT_TRUE(form->Cancelled());
    form->FinishProgress(false);
    EXPECT_EQ(pumps.pumps(), 2);
    EXPECT_TRUE(form->Cancelled());
    EXPECT_EQ(Text("lbStage"), "Installation failed.");
}

// The keys of each state: writing (the focus on Pause), paused, finished.
TEST_F(ProgressForm, KeysPressTheButtonsAsClicksDo) {
    using ui::Key;
    const auto key = [this](ui::KeyPress press) {
        return [this, press] { form->HandleKey(press); };
    };
    const ui::KeyPress escape{Key::Escape}, enter{Key::Return}, space{Key::Space};
    const auto letter = [](char c) { return ui::KeyPress{Key::Letter, c}; };
    struct Case {
        const char* name;
        std::vector<std::function<void()>> pump2;  // while writing
        bool cancelled;
    };
    const Case cases[] = {
        {"Escape", {key(escape)}, true},
        {"P, then Escape while paused", {key(letter('P')), key(escape)}, true},
        {"Space on Pause, R resumes", {key(space), key(letter('R'))}, false},
        {"Return on Pause, Return again", {key(enter), key(enter)}, false},
        {"Tab to Cancel, Space", {key({Key::Tab}), key(space)}, true},
    };
    for (const Case& c : cases) {
        PumpScript script;
        form = std::make_unique<TInstProgressForm>(application);
        form->Show();  // pump 1
        EXPECT_EQ(form->activeControl(), &Pause()) << c.name;
        for (const auto& event : c.pump2) {
            script.At(2, event);
        }
        form->SetTotalBytes(100);
        form->SetBytesDone(50);
        EXPECT_EQ(form->Cancelled(), c.cancelled) << c.name;
        EXPECT_FALSE(form->Paused()) << c.name;
    }
    for (const ui::KeyPress& ok : {enter, escape, letter('O')}) {
        PumpScript script;
        form = std::make_unique<TInstProgressForm>(application);
        form->Show();
        form->SetTotalBytes(10);
        script.At(2, key(ok));
        form->FinishProgress();  // returns once OK is pressed
        EXPECT_EQ(form->activeControl(), &Cancel());
        EXPECT_EQ(form->DefaultButton(), &Cancel());
    }
}

TEST_F(ProgressForm, ScreenReadersHearOfTheFileTheCountsAndTheBar) {
    using E = ui::AccessibleEvent;
    auto& events = ui::headless::AccessibleEvents();
    form->SetTotalBytes(100);
    events.clear();
    form->SetCurrentFile("C:\\kr\\a");
    form->SetBytesDone(50);
    for (const ui::headless::AccessibleEventRecord& wanted :
         {ui::headless::AccessibleEventRecord{"lbFileName", E::NameChange},
          {"lbFiles", E::NameChange},
          {"lbStatus", E::NameChange},
          {"pbar", E::ValueChange}}) {
        EXPECT_NE(std::find(events.begin(), events.end(), wanted), events.end()) << wanted.control;
    }
    EXPECT_EQ(Bar().AccessibleValue(), "50%");
}
