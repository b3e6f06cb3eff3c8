#pragma once

#include <optional>

#include "ui/message_box.h"

namespace ui::win32 {

// The toolkit's own message window, for systems without the task dialog:
// the same content, buttons, default and results. Modal through the dialog
// manager (which disables the other windows of the application meanwhile),
// centred on the screen; Ctrl+C copies the caption and text.
int ShowOwnMessageWindow(const MessageBoxSpec& spec);

// The system's task dialog, or nothing when it is not available here.
std::optional<int> ShowTaskDialog(const MessageBoxSpec& spec);

}  // namespace ui::win32
