#include "messages/message_box_mapping.h"

#include <gtest/gtest.h>

#include <vector>

using ui::BoxIcon;

namespace {

std::vector<std::string> CustomCaptions(const ui::MessageBoxSpec& spec) {
    std::vector<std::string> captions;
    for (const auto& button : spec.customButtons) {
        captions.push_back(button.caption);
    }
    return captions;
}

}  // namespace

TEST(MessageBoxTaskMapping, IconGroupPicksTheIcon) {
    const std::pair<std::uint32_t, BoxIcon> rows[] = {
        {0x00, BoxIcon::None},    {0x10, BoxIcon::Error},       {0x20, BoxIcon::Question},
        {0x30, BoxIcon::Warning}, {0x40, BoxIcon::Information}, {0x50, BoxIcon::None},
        {0xF0, BoxIcon::None},
    };
    for (const auto& [flags, icon] : rows) {
        EXPECT_EQ(DescribeMessageBoxTask("t", "c", flags).icon, icon) << "flags " << flags;
    }
}

TEST(MessageBoxTaskMapping, ButtonGroupsGiveStandardOrCustomButtons) {
    struct Row {
        std::uint32_t group;
        unsigned standard;
        std::vector<std::string> custom;
    };
    const Row rows[] = {
        {0, ui::kButtonOk, {}},
        {1, ui::kButtonOk | ui::kButtonCancel, {}},
        {2, 0, {"Abort", "&Retry", "&Ignore"}},
        {3, ui::kButtonYes | ui::kButtonNo | ui::kButtonCancel, {}},
        {4, ui::kButtonYes | ui::kButtonNo, {}},
        {5, 0, {"&Retry", "Cancel"}},
        {6, 0, {"Cancel", "&Retry", "continue"}},
    };
    for (const Row& row : rows) {
        const auto spec = DescribeMessageBoxTask("t", "c", row.group);
        EXPECT_EQ(spec.standardButtons, row.standard) << "group " << row.group;
        EXPECT_EQ(CustomCaptions(spec), row.custom) << "group " << row.group;
        for (std::size_t i = 0; i < spec.customButtons.size(); ++i) {
            EXPECT_EQ(spec.customButtons[i].id, 100 + static_cast<int>(i));
        }
    }
    for (std::uint32_t group = 7; group <= 15; ++group) {
        const auto spec = DescribeMessageBoxTask("t", "c", group);
        EXPECT_EQ(spec.standardButtons, 0u);
        EXPECT_TRUE(spec.customButtons.empty());
        // Nothing requested: the box shows its single OK, which gives 1.
        EXPECT_EQ(ui::EffectiveDefaultButton(spec), ui::kResultOk);
        EXPECT_EQ(MessageBoxTaskResult(group, ui::kResultOk), 1);
    }
}

TEST(MessageBoxTaskMapping, CustomButtonsMapBackToWin32Ids) {
    EXPECT_EQ(MessageBoxTaskResult(2, 100), 3);
    EXPECT_EQ(MessageBoxTaskResult(2, 101), 4);
    EXPECT_EQ(MessageBoxTaskResult(2, 102), 5);
    EXPECT_EQ(MessageBoxTaskResult(5, 100), 4);
    EXPECT_EQ(MessageBoxTaskResult(5, 101), 2);
    EXPECT_EQ(MessageBoxTaskResult(6, 100), 2);
    EXPECT_EQ(MessageBoxTaskResult(6, 101), 10);
    EXPECT_EQ(MessageBoxTaskResult(6, 102), 11);
    // Past the row's buttons, Close, and unknown ids give 0.
    EXPECT_EQ(MessageBoxTaskResult(5, 102), 0);
    EXPECT_EQ(MessageBoxTaskResult(0, ui::kResultClose), 0);
    EXPECT_EQ(MessageBoxTaskResult(1, 99), 0);
    // Standard results pass unchanged.
    for (int id = 1; id <= 7; ++id) {
        EXPECT_EQ(MessageBoxTaskResult(3, id), id);
    }
}

TEST(MessageBoxTaskMapping, HelpIsAddedLastAndGivesZero) {
    const auto ok = DescribeMessageBoxTask("t", "c", 0x4000);
    EXPECT_EQ(ok.standardButtons, ui::kButtonOk);
    EXPECT_EQ(CustomCaptions(ok), std::vector<std::string>{"&Help"});
    EXPECT_EQ(MessageBoxTaskResult(0x4000, 100), 0);
    EXPECT_EQ(MessageBoxTaskResult(0x4000, ui::kResultOk), 1);

    const auto retry = DescribeMessageBoxTask("t", "c", 0x4005);
    EXPECT_EQ(CustomCaptions(retry), (std::vector<std::string>{"&Retry", "Cancel", "&Help"}));
    EXPECT_EQ(MessageBoxTaskResult(0x4005, 102), 0);
}

TEST(MessageBoxTaskMapping, DefaultIsTheNthStandardButtonOrACustomId) {
    // MB_OKCANCEL: 1st is OK, 2nd is Cancel, 3rd and 4th do not exist.
    EXPECT_EQ(DescribeMessageBoxTask("t", "c", 0x001).defaultButton, ui::kResultOk);
    EXPECT_EQ(DescribeMessageBoxTask("t", "c", 0x101).defaultButton, ui::kResultCancel);
    EXPECT_EQ(DescribeMessageBoxTask("t", "c", 0x201).defaultButton, 102);
    EXPECT_EQ(DescribeMessageBoxTask("t", "c", 0x301).defaultButton, 103);
    // MB_YESNOCANCEL counts in the order Yes, No, Cancel.
    EXPECT_EQ(DescribeMessageBoxTask("t", "c", 0x203).defaultButton, ui::kResultCancel);
    // MB_ABORTRETRYIGNORE | MB_DEFBUTTON2: "&Retry", which returns 4.
    const auto abort = DescribeMessageBoxTask("t", "c", 0x102);
    EXPECT_EQ(abort.defaultButton, 101);
    EXPECT_EQ(MessageBoxTaskResult(0x102, abort.defaultButton), 4);
}

TEST(MessageBoxTaskMapping, OnlyACancelButtonAllowsCancelling) {
    for (std::uint32_t group = 0; group <= 15; ++group) {
        const bool expected = group == 1 || group == 3;
        EXPECT_EQ(DescribeMessageBoxTask("t", "c", group).allowCancel, expected) << group;
    }
}

TEST(MessageBoxTaskMapping, TheInstallersAdviceFlags) {
    const auto spec = DescribeMessageBoxTask("text", "caption", 49);
    EXPECT_EQ(spec.caption, "caption");
    EXPECT_EQ(spec.text, "text");
    EXPECT_EQ(spec.icon, BoxIcon::Warning);
    EXPECT_EQ(spec.standardButtons, ui::kButtonOk | ui::kButtonCancel);
    EXPECT_EQ(spec.defaultButton, ui::kResultOk);
    EXPECT_TRUE(spec.allowCancel);
    EXPECT_EQ(MessageBoxTaskResult(49, ui::kResultCancel), 2);
    // Other flag bits (modality, foreground) change nothing.
    EXPECT_EQ(DescribeMessageBoxTask("text", "caption", 49 | 0x1000 | 0x10000), spec);
}

TEST(MessageBoxTaskMapping, QuestionYesNoHasNoCancel) {
    const auto spec = DescribeMessageBoxTask("t", "c", 0x24);
    EXPECT_EQ(spec.icon, BoxIcon::Question);
    EXPECT_EQ(spec.standardButtons, ui::kButtonYes | ui::kButtonNo);
    EXPECT_FALSE(spec.allowCancel);
    EXPECT_EQ(MessageBoxTaskResult(0x24, ui::kResultYes), 6);
    EXPECT_EQ(MessageBoxTaskResult(0x24, ui::kResultNo), 7);
}

TEST(MessageDialogTaskMapping, TypeGivesCaptionAndIcon) {
    const std::tuple<int, std::string, BoxIcon> rows[] = {
        {kDialogWarning, "Warning", BoxIcon::Warning},
        {kDialogError, "Error", BoxIcon::Error},
        {kDialogInformation, "Information", BoxIcon::Information},
        {kDialogConfirmation, "Confirm", BoxIcon::Question},
        {kDialogCustom, "", BoxIcon::None},
    };
    for (const auto& [type, caption, icon] : rows) {
        const auto spec = DescribeMessageDialogTask("t", type, kDialogOk);
        EXPECT_EQ(spec.caption, caption);
        EXPECT_EQ(spec.icon, icon);
        EXPECT_TRUE(spec.allowCancel);
    }
}

TEST(MessageDialogTaskMapping, WarningYesNoDefaultsToYesAndEscapeNeverGivesYes) {
    const auto spec = DescribeMessageDialogTask("t", kDialogWarning, kDialogYes | kDialogNo);
    EXPECT_EQ(spec.standardButtons, ui::kButtonYes | ui::kButtonNo);
    EXPECT_EQ(spec.defaultButton, 0);
    EXPECT_EQ(ui::EffectiveDefaultButton(spec), ui::kResultYes);
    EXPECT_EQ(MessageDialogTaskResult(ui::kResultYes), 6);
    EXPECT_EQ(MessageDialogTaskResult(ui::kResultNo), 7);
    // Esc: the task dialog gives 2, the toolkit's own window No.
    EXPECT_EQ(MessageDialogTaskResult(ui::kResultCancel), 2);
    EXPECT_EQ(spec.ownWindowEscapeResult, ui::kResultNo);
}

TEST(MessageDialogTaskMapping, ButtonSetBitsAndTheBoxsOwnDefault) {
    const auto all = DescribeMessageDialogTask(
        "t", kDialogConfirmation, kDialogYes | kDialogNo | kDialogOk | kDialogCancel | 0x30);
    EXPECT_EQ(all.standardButtons,
              ui::kButtonYes | ui::kButtonNo | ui::kButtonOk | ui::kButtonCancel);
    EXPECT_EQ(ui::EffectiveDefaultButton(all), ui::kResultOk);
    EXPECT_EQ(all.ownWindowEscapeResult, ui::kResultCancel);
    EXPECT_EQ(MessageDialogTaskResult(ui::kResultRetry), 0);
    EXPECT_EQ(MessageDialogTaskResult(0), 0);
}
