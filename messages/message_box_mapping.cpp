#include "messages/message_box_mapping.h"

#include <vector>

using ui::CustomButton;
using ui::MessageBoxSpec;

namespace {

constexpr std::uint32_t kIconMask = 0xF0;
constexpr std::uint32_t kButtonMask = 0x0F;
constexpr std::uint32_t kHelpFlag = 0x4000;
constexpr int kIdAbort = 3;
constexpr int kIdIgnore = 5;
constexpr int kIdTryAgain = 10;
constexpr int kIdContinue = 11;

ui::BoxIcon IconOf(std::uint32_t flags) {
    switch (flags & kIconMask) {
        case 0x10:
            return ui::BoxIcon::Error;
        case 0x20:
            return ui::BoxIcon::Question;
        case 0x30:
            return ui::BoxIcon::Warning;
        case 0x40:
            return ui::BoxIcon::Information;
        default:
            return ui::BoxIcon::None;
    }
}

// The results of the custom buttons of each button group, by position.
std::vector<int> CustomResults(std::uint32_t group) {
    switch (group) {
        case 2:
            return {kIdAbort, ui::kResultRetry, kIdIgnore};
        case 5:
            return {ui::kResultRetry, ui::kResultCancel};
        case 6:
            return {ui::kResultCancel, kIdTryAgain, kIdContinue};
        default:
            return {};
    }
}

int CountStandard(unsigned buttons) {
    int count = 0;
    for (unsigned bits = buttons; bits != 0; bits &= bits - 1) {
        ++count;
    }
    return count;
}

// The n-th (from 1) standard button shown, in the fixed order.
int NthStandardResult(unsigned buttons, int n) {
    static const std::pair<unsigned, int> kOrder[] = {
        {ui::kButtonOk, ui::kResultOk},       {ui::kButtonYes, ui::kResultYes},
        {ui::kButtonNo, ui::kResultNo},       {ui::kButtonCancel, ui::kResultCancel},
        {ui::kButtonRetry, ui::kResultRetry}, {ui::kButtonClose, ui::kResultClose},
    };
    for (const auto& [bit, result] : kOrder) {
        if ((buttons & bit) && --n == 0) {
            return result;
        }
    }
    return 0;
}

}  // namespace

MessageBoxSpec DescribeMessageBoxTask(const std::string& text, const std::string& caption,
                                      std::uint32_t flags) {
    MessageBoxSpec spec;
    spec.caption = caption;
    spec.text = text;
    spec.icon = IconOf(flags);

    std::vector<std::string> custom;
    switch (flags & kButtonMask) {
        case 0:
            spec.standardButtons = ui::kButtonOk;
            break;
        case 1:
            spec.standardButtons = ui::kButtonOk | ui::kButtonCancel;
            break;
        case 2:
            custom = {"Abort", "&Retry", "&Ignore"};
            break;
        case 3:
            spec.standardButtons = ui::kButtonYes | ui::kButtonNo | ui::kButtonCancel;
            break;
        case 4:
            spec.standardButtons = ui::kButtonYes | ui::kButtonNo;
            break;
        case 5:
            custom = {"&Retry", "Cancel"};
            break;
        case 6:
            custom = {"Cancel", "&Retry", "continue"};
            break;
        default:
            break;  // nothing requested: the box shows a single OK
    }
    if (flags & kHelpFlag) {
        custom.push_back("&Help");
    }
    for (std::size_t i = 0; i < custom.size(); ++i) {
        spec.customButtons.push_back({ui::kFirstCustomId + static_cast<int>(i), custom[i]});
    }

    const int n = 1 + static_cast<int>((flags >> 8) & 3);
    spec.defaultButton = CountStandard(spec.standardButtons) >= n
                             ? NthStandardResult(spec.standardButtons, n)
                             : ui::kFirstCustomId - 1 + n;
    spec.allowCancel = (spec.standardButtons & ui::kButtonCancel) != 0;
    return spec;
}

int MessageBoxTaskResult(std::uint32_t flags, int pressed) {
    if (pressed >= 1 && pressed <= 7) {
        return pressed;
    }
    const std::vector<int> results = CustomResults(flags & kButtonMask);
    const int index = pressed - ui::kFirstCustomId;
    if (index >= 0 && index < static_cast<int>(results.size())) {
        return results[static_cast<std::size_t>(index)];
    }
    return 0;  // Help, Close and anything unknown
}

MessageBoxSpec DescribeMessageDialogTask(const std::string& text, int dialogType,
                                         std::uint16_t buttons) {
    MessageBoxSpec spec;
    spec.text = text;
    switch (dialogType) {
        case kDialogWarning:
            spec.icon = ui::BoxIcon::Warning;
            spec.caption = "Warning";
            break;
        case kDialogError:
            spec.icon = ui::BoxIcon::Error;
            spec.caption = "Error";
            break;
        case kDialogInformation:
            spec.icon = ui::BoxIcon::Information;
            spec.caption = "Information";
            break;
        case kDialogConfirmation:
            spec.icon = ui::BoxIcon::Question;
            spec.caption = "Confirm";
            break;
        default:
            break;  // custom: no icon, the executable's name as caption
    }
    if (buttons & kDialogYes) {
        spec.standardButtons |= ui::kButtonYes;
    }
    if (buttons & kDialogNo) {
        spec.standardButtons |= ui::kButtonNo;
    }
    if (buttons & kDialogOk) {
        spec.standardButtons |= ui::kButtonOk;
    }
    if (buttons & kDialogCancel) {
        spec.standardButtons |= ui::kButtonCancel;
    }
    spec.defaultButton = 0;  // the box chooses: OK, else Yes
    spec.allowCancel = true;
    const bool hasCancel = spec.standardButtons & ui::kButtonCancel;
    const bool hasNo = spec.standardButtons & ui::kButtonNo;
    spec.ownWindowEscapeResult = !hasCancel && hasNo ? ui::kResultNo : ui::kResultCancel;
    return spec;
}

int MessageDialogTaskResult(int pressed) {
    switch (pressed) {
        case ui::kResultOk:
        case ui::kResultCancel:
        case ui::kResultYes:
        case ui::kResultNo:
            return pressed;
        default:
            return 0;
    }
}
