#include <gtest/gtest.h>

#include <string>

#include "ui/application.h"
#include "ui/form.h"
#include "ui/headless/headless_ui.h"

using ui::headless::PumpScript;

namespace {

struct PumpTest : ::testing::Test {
    ~PumpTest() override { ui::headless::ClearPosted(); }
    ui::Application application;
    std::string log;
};

}  // namespace

TEST_F(PumpTest, EventsRunInTheirPumpAndNestedPumpsCountOn) {
    PumpScript script;
    script.At(1, [&] {
        log += "a";
        application.ProcessMessages();  // pump 2, nested in an event of pump 1
        log += "c";
    });
    script.At(2, [&] { log += "b"; });
    script.At(3, [&] { log += "d"; });
    application.ProcessMessages();
    EXPECT_EQ(log, "abc");
    application.ProcessMessages();
    EXPECT_EQ(log, "abcd");
    EXPECT_EQ(script.pumps(), 3);
}

TEST_F(PumpTest, AWaitSleepsBetweenPumpsUntilItsConditionHolds) {
    PumpScript script;
    bool done = false;
    script.At(4, [&] { done = true; });
    application.ProcessMessagesUntil([&] { return done; });
    EXPECT_TRUE(done);
    EXPECT_EQ(script.pumps(), 4);
}

TEST_F(PumpTest, AWaitWithNothingToComeFailsInsteadOfHanging) {
    PumpScript script;
    EXPECT_THROW(application.ProcessMessagesUntil([] { return false; }),
                 ui::headless::NothingToWaitFor);
}

TEST_F(PumpTest, AWaitEndsWhenTheApplicationTerminates) {
    PumpScript script;
    script.At(2, [&] { application.Terminate(); });
    application.ProcessMessagesUntil([] { return false; });
    EXPECT_TRUE(application.terminated());
}

TEST_F(PumpTest, ACloseQueryCanRefuseAndAnAllowedCloseOnlyHides) {
    ui::Form form("F");
    form.CreateWindowHandle();
    form.Show();
    int attempts = 0;
    int closed = 0;
    form.onCloseQuery = [&] { return ++attempts > 1; };
    form.onClosed = [&] { ++closed; };
    form.Close();
    EXPECT_TRUE(form.visible());
    EXPECT_EQ(closed, 0);
    form.Close();
    EXPECT_FALSE(form.visible());
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(ui::headless::FindForm("F"), &form);  // hidden, its window still exists
}
