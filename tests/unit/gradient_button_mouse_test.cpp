#include <gtest/gtest.h>

#include <string>

#include "tests/unit/widget_pixels.h"
#include "ui/form.h"
#include "ui/headless/headless_ui.h"
#include "widgets/gradient_button.h"

using ui::Point;
using widgets::ButtonState;
using widgets::GradientButton;

namespace {

// A window with two buttons side by side: A at 10..83, B at 100..173.
class ButtonWindow : public ::testing::Test {
  protected:
    ButtonWindow() : form_("Form") {
        form_.SetClientSize(200, 60);
        a_ = &AddButton("A", 10);
        b_ = &AddButton("B", 100);
        a_->onClick = [this] { ++clicksA_; };
        b_->onClick = [this] { ++clicksB_; };
        form_.CreateWindowHandle();
        form_.Show();
    }

    GradientButton& AddButton(const std::string& name, int left) {
        auto& button = form_.Add(std::make_unique<GradientButton>(name));
        button.SetBounds(ui::Rect::FromSize(left, 20, 73, 22));
        button.SetCaption(name);
        button.SetColor(ui::colors::kRed);
        button.SetColorTo(ui::colors::kMaroon);
        button.SetColorHot(ui::colors::kMaroon);
        button.SetColorHotTo(ui::colors::kBlack);
        button.SetColorDown(ui::Color::Rgb(210, 211, 216));
        return button;
    }

    void Move(Point at) { ui::headless::MouseMove(form_, at); }
    void Down(Point at, ui::MouseButton button = ui::MouseButton::Left) {
        ui::headless::MouseDown(form_, at, button);
    }
    void Up(Point at, ui::MouseButton button = ui::MouseButton::Left) {
        ui::headless::MouseUp(form_, at, button);
    }
    // The top face row of A as the window shows it.
    ui::Color FaceOfA() { return ui::headless::Render(form_).At(14, 21); }

    ui::Form form_;
    GradientButton* a_ = nullptr;
    GradientButton* b_ = nullptr;
    int clicksA_ = 0;
    int clicksB_ = 0;
};

const Point kInA{30, 30};
const Point kInB{120, 30};
const Point kOutside{90, 55};

}  // namespace

TEST_F(ButtonWindow, HotWhileThePointerIsOverIt) {
    EXPECT_EQ(FaceOfA(), ui::colors::kRed);
    const int before = a_->repaintRequests();
    Move(kInA);
    EXPECT_TRUE(a_->mouseInControl());
    EXPECT_GT(a_->repaintRequests(), before);
    EXPECT_EQ(FaceOfA(), ui::colors::kMaroon);
    Move(kInB);
    EXPECT_FALSE(a_->mouseInControl());
    EXPECT_TRUE(b_->mouseInControl());
    ui::headless::MouseLeave(form_);
    EXPECT_FALSE(b_->mouseInControl());
    EXPECT_EQ(FaceOfA(), ui::colors::kRed);
}

TEST_F(ButtonWindow, ClickOnlyOnReleaseInside) {
    Move(kInA);
    Down(kInA);
    EXPECT_EQ(a_->state(), ButtonState::Down);
    EXPECT_TRUE(a_->pressedOnButton());
    EXPECT_EQ(FaceOfA(), ui::Color::Rgb(210, 211, 216));
    EXPECT_EQ(clicksA_, 0);
    Up(kInA);
    EXPECT_EQ(clicksA_, 1);
    EXPECT_EQ(a_->state(), ButtonState::Up);
    EXPECT_FALSE(a_->pressedOnButton());
    // Released over it, it is hot again at once.
    EXPECT_TRUE(a_->mouseInControl());
    EXPECT_EQ(FaceOfA(), ui::colors::kMaroon);
}

TEST_F(ButtonWindow, DraggingOutShowsItUpAndReleasingOutsideClicksNothing) {
    Move(kInA);
    Down(kInA);
    Move(kOutside);
    EXPECT_EQ(a_->state(), ButtonState::Up);
    // Still hot while the press lasts: the hot colours, not the pressed ones.
    EXPECT_EQ(FaceOfA(), ui::colors::kMaroon);
    Up(kOutside);
    EXPECT_EQ(clicksA_, 0);
    EXPECT_FALSE(a_->mouseInControl());
    EXPECT_EQ(FaceOfA(), ui::colors::kRed);
}

TEST_F(ButtonWindow, DraggingBackInShowsItPressedAgainAndClicks) {
    Move(kInA);
    Down(kInA);
    Move(kOutside);
    Move({40, 25});
    EXPECT_EQ(a_->state(), ButtonState::Down);
    EXPECT_EQ(FaceOfA(), ui::Color::Rgb(210, 211, 216));
    Up({40, 25});
    EXPECT_EQ(clicksA_, 1);
}

TEST_F(ButtonWindow, WhileOneIsPressedTheOtherIsNotHotAndGetsNoClick) {
    Move(kInA);
    Down(kInA);
    Move(kInB);
    EXPECT_FALSE(b_->mouseInControl());
    EXPECT_EQ(a_->state(), ButtonState::Up);
    Up(kInB);
    EXPECT_EQ(clicksA_, 0);
    EXPECT_EQ(clicksB_, 0);
    // Once released, the control under the pointer is hot.
    EXPECT_TRUE(b_->mouseInControl());
    EXPECT_FALSE(a_->mouseInControl());
}

TEST_F(ButtonWindow, OtherMouseButtonsAndDisabledButtonsDoNothing) {
    Move(kInA);
    Down(kInA, ui::MouseButton::Right);
    EXPECT_EQ(a_->state(), ButtonState::Up);
    Up(kInA, ui::MouseButton::Right);
    EXPECT_EQ(clicksA_, 0);

    b_->SetEnabled(false);
    EXPECT_EQ(b_->state(), ButtonState::Disabled);
    Move(kInB);
    EXPECT_FALSE(b_->mouseInControl());
    Down(kInB);
    Up(kInB);
    EXPECT_EQ(clicksB_, 0);
    b_->SetEnabled(true);
    EXPECT_EQ(b_->state(), ButtonState::Up);
}

TEST_F(ButtonWindow, ClickHandlerMayHideTheButtonAndChangeItsCaption) {
    a_->onClick = [this] {
        a_->SetVisible(false);
        a_->SetCaption("OK");
    };
    Move(kInA);
    Down(kInA);
    Up(kInA);
    EXPECT_FALSE(a_->mouseInControl());
    const auto hidden = ui::headless::Render(form_);
    EXPECT_EQ(hidden.At(14, 21), hidden.At(5, 5)) << "a hidden button paints nothing";
    a_->SetVisible(true);
    EXPECT_EQ(ui::headless::Render(form_).At(14, 21), ui::colors::kRed);
    EXPECT_EQ(a_->caption(), "OK");
}

TEST_F(ButtonWindow, ClickHandlerMayReplaceItselfWhileRunning) {
    // A capture big enough to live on the heap: if the running handler were
    // destroyed by its replacement, reading it afterwards would see freed
    // memory.
    const std::string expected(200, 'p');
    std::string seen;
    int resumed = 0;
    a_->onClick = [this, text = expected, &seen, &resumed] {
        a_->onClick = [&resumed] { ++resumed; };
        seen = text;
    };
    Move(kInA);
    Down(kInA);
    Up(kInA);
    EXPECT_EQ(seen, expected);
    Down(kInA);
    Up(kInA);
    EXPECT_EQ(resumed, 1);
}
