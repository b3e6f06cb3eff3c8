#pragma once

#include <windows.h>

namespace ui {
class Form;
}

namespace ui::win32 {

// Tools outside the process (the acceptance tests' probe) ask a form for a
// description of its controls (ui/describe.h), windowless ones included, by
// sending it this registered message with their own window in wParam. The
// form answers with WM_COPYDATA to that window, tagged kDescriptionTag; the
// data is the description's UTF-8 bytes.
// Nothing else sends the message, so the program behaves the same whether
// or not a tool asks.
inline constexpr wchar_t kDescribeMessageName[] = L"TessalyDescribeControls";
inline constexpr ULONG_PTR kDescriptionTag = 0x54455353;

// Answers the message when it is the describe request; false otherwise.
bool AnswerDescribeRequest(Form& form, UINT message, WPARAM wParam);

}  // namespace ui::win32
