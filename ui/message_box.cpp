#include "ui/message_box.h"

#include <utility>

namespace ui {

int EffectiveDefaultButton(const MessageBoxSpec& spec) {
    static const std::pair<unsigned, int> kOrder[] = {
        {kButtonOk, kResultOk},         {kButtonYes, kResultYes},     {kButtonNo, kResultNo},
        {kButtonCancel, kResultCancel}, {kButtonRetry, kResultRetry}, {kButtonClose, kResultClose},
    };
    std::vector<int> shown;
    for (const auto& [bit, result] : kOrder) {
        if (spec.standardButtons & bit) {
            shown.push_back(result);
        }
    }
    for (const CustomButton& button : spec.customButtons) {
        shown.push_back(button.id);
    }
    if (shown.empty()) {
        return kResultOk;
    }
    for (int id : shown) {
        if (id == spec.defaultButton) {
            return id;
        }
    }
    return shown.front();
}

std::string ClipboardTextOf(const std::string& shownCaption, const std::string& text) {
    return shownCaption + "\r\n" + text + "\r\n";
}

}  // namespace ui
