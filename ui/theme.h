#pragma once

namespace ui {

// Whether the desktop's visual styles are on for this program, asked of the
// system each time (the user may switch them while the program runs). Each
// backend answers: win32 from the theme library, headless from a setting
// that starts on, as in a fresh Wine prefix.
bool VisualStylesActive();

}  // namespace ui
