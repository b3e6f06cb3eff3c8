#pragma once

#include <windows.h>

#include "ui/types.h"

namespace ui::win32 {

// The system's or the toolkit's own pointer for a cursor kind; made once and
// kept for the process.
HCURSOR CursorHandle(Cursor cursor);

}  // namespace ui::win32
