#include "ui/mouse_router.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A control that logs the mouse events it gets.
class Probe : public ui::Control {
  public:
    Probe(std::string name, std::vector<std::string>& log) : Control(name), log_(log) {}
    void MouseEnter() override { log_.push_back(name() + " enter"); }
    void MouseLeave() override { log_.push_back(name() + " leave"); }
    void MouseDown(ui::MouseButton, ui::Point at) override {
        log_.push_back(name() + " down " + std::to_string(at.x) + "," + std::to_string(at.y));
    }
    void MouseUp(ui::MouseButton, ui::Point at) override {
        log_.push_back(name() + " up " + std::to_string(at.x) + "," + std::to_string(at.y));
    }

  private:
    std::vector<std::string>& log_;
};

class MouseRouterTest : public ::testing::Test {
  protected:
    MouseRouterTest() : window("W"), router(window) {
        auto& panel = window.Add(std::make_unique<ui::Container>("P"));
        panel.SetBounds(ui::Rect::FromSize(100, 100, 100, 100));
        a = &window.Add(std::make_unique<Probe>("a", log));
        a->SetBounds(ui::Rect::FromSize(10, 10, 20, 20));
        b = &panel.Add(std::make_unique<Probe>("b", log));
        b->SetBounds(ui::Rect::FromSize(5, 5, 20, 20));
    }

    std::vector<std::string> log;
    ui::Container window;
    ui::MouseRouter router;
    Probe* a = nullptr;
    Probe* b = nullptr;
};

}  // namespace

TEST_F(MouseRouterTest, EnterAndLeaveFollowThePointerIntoNestedControls) {
    router.Move({15, 15});
    router.Move({16, 16});
    router.Move({110, 110});  // b, inside the panel
    router.Move({150, 150});  // the panel itself: nobody is hot
    router.Leave();
    EXPECT_EQ(log, (std::vector<std::string>{"a enter", "a leave", "b enter", "b leave"}));
}

TEST_F(MouseRouterTest, TheCaptureKeepsEventsAndSuppressesEnterUntilRelease) {
    router.Move({15, 15});
    router.Down(ui::MouseButton::Left, {15, 15});
    router.Move({110, 110});  // over b while a holds the capture
    router.Leave();           // the pointer leaves the window while pressed
    router.Up(ui::MouseButton::Left, {110, 110});
    EXPECT_EQ(log, (std::vector<std::string>{"a enter", "a down 5,5", "a up 100,100", "a leave",
                                             "b enter"}));
    EXPECT_EQ(router.captured(), nullptr);
    EXPECT_EQ(router.hot(), b);
}

TEST_F(MouseRouterTest, ALostCaptureEndsThePressOutsideAndNobodyStaysHot) {
    router.Move({15, 15});
    router.Down(ui::MouseButton::Left, {15, 15});
    router.CaptureLost();
    router.CaptureLost();  // a second loss finds nothing to end
    EXPECT_EQ(log, (std::vector<std::string>{"a enter", "a down 5,5", "a up -1,-1", "a leave"}));
    EXPECT_EQ(router.captured(), nullptr);
    EXPECT_EQ(router.hot(), nullptr);
}

TEST_F(MouseRouterTest, HiddenAndDisabledControlsAreNotHit) {
    a->SetVisible(false);
    router.Move({15, 15});
    b->SetEnabled(false);
    router.Move({110, 110});
    router.Down(ui::MouseButton::Left, {110, 110});
    EXPECT_TRUE(log.empty());
}
