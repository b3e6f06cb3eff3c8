#pragma once

#include <cstdint>
#include <string>

#include "ui/message_box.h"

// Translations from the older message-box conventions to one task-dialog
// style box description, and from what closed the box back to the result
// those conventions promise. Pure functions: the boxes are shown elsewhere.

// Win32 message-box flags (MB_*) to a box.
ui::MessageBoxSpec DescribeMessageBoxTask(const std::string& text, const std::string& caption,
                                          std::uint32_t flags);
// The Win32 button id (IDOK ...) for what closed a box made from these flags.
int MessageBoxTaskResult(std::uint32_t flags, int pressed);

// Message-dialog types and button-set bits.
enum MessageDialogType : int {
    kDialogWarning = 0,
    kDialogError = 1,
    kDialogInformation = 2,
    kDialogConfirmation = 3,
    kDialogCustom = 4,
};
enum MessageDialogButton : std::uint16_t {
    kDialogYes = 0x01,
    kDialogNo = 0x02,
    kDialogOk = 0x04,
    kDialogCancel = 0x08,
};

ui::MessageBoxSpec DescribeMessageDialogTask(const std::string& text, int dialogType,
                                             std::uint16_t buttons);
// The modal result for what closed such a box: the pressed button's result,
// or 0 for anything else.
int MessageDialogTaskResult(int pressed);
