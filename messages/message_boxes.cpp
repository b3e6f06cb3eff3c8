#include "messages/message_boxes.h"

#include "messages/message_box_mapping.h"
#include "ui/message_box.h"

void ShowMessageCaption(const std::string& caption, const std::string& text) {
    ui::MessageBoxSpec spec;
    spec.caption = caption;
    spec.text = text;
    spec.icon = ui::BoxIcon::Information;
    ui::ShowMessageBox(spec);
}

void ShowMessageText(const std::string& text) {
    ShowMessageCaption(std::string(), text);
}

void ShowMessageFmt(const std::string& format, std::initializer_list<FormatArg> values) {
    ShowMessageText(Format(format, values));
}

int MessageBoxTask(const void*, const std::string& text, const std::string& caption,
                   std::uint32_t flags) {
    const int pressed = ui::ShowMessageBox(DescribeMessageBoxTask(text, caption, flags));
    return MessageBoxTaskResult(flags, pressed);
}

int MessageDialogTask(const std::string& text, int dialogType, std::uint16_t buttons,
                      int /*helpContext: no help system is offered*/) {
    const int pressed = ui::ShowMessageBox(DescribeMessageDialogTask(text, dialogType, buttons));
    return MessageDialogTaskResult(pressed);
}
