#include "messages/message_boxes.h"

#include <gtest/gtest.h>

#include "platform/sim/sim_machine.h"
#include "ui/headless/headless_ui.h"

using ui::headless::BoxScript;

TEST(MessageBoxes, NoticesAreInformationBoxesWithOneOk) {
    BoxScript boxes;
    ShowMessageText("First line\r\nSecond line");
    ShowMessageCaption("Tessaly", "Installation cancelled.");
    ASSERT_EQ(boxes.shown().size(), 2u);

    const auto& text = boxes.shown()[0];
    EXPECT_EQ(text.caption, "");  // the executable's name is shown instead
    EXPECT_EQ(text.text, "First line\r\nSecond line");
    EXPECT_EQ(text.icon, ui::BoxIcon::Information);
    EXPECT_EQ(text.standardButtons, 0u);
    EXPECT_TRUE(text.customButtons.empty());
    EXPECT_FALSE(text.allowCancel);
    EXPECT_EQ(ui::EffectiveDefaultButton(text), ui::kResultOk);

    EXPECT_EQ(boxes.shown()[1].caption, "Tessaly");
    EXPECT_EQ(boxes.shown()[1].text, "Installation cancelled.");
}

TEST(MessageBoxes, FormattedNotice) {
    BoxScript boxes;
    ShowMessageFmt("%s was not installed.", {"Tessaly"});
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, "Tessaly was not installed.");
}

TEST(MessageBoxes, QuestionsTranslateTheirResults) {
    BoxScript boxes({ui::kResultCancel, 101, ui::kResultYes, ui::kResultClose});
    EXPECT_EQ(MessageBoxTask(nullptr, "text", "caption", 0x31), 2);
    EXPECT_EQ(MessageBoxTask(nullptr, "text", "caption", 0x106), 10);
    EXPECT_EQ(MessageDialogTask("Create it?", 0, 3, 0), 6);
    EXPECT_EQ(MessageDialogTask("Create it?", 0, 3, 0), 0);
    EXPECT_EQ(boxes.shown()[2].caption, "Warning");
}
