#pragma once

// The widget gallery: every drawn widget in the configurations and states
// the installer's windows use, in one window that fits a 1024 x 768 screen.
// The same code builds it on Windows (widget_gallery_gui.exe) and in the
// native build (widget_expect), so the acceptance test can compare a
// screenshot with the headless rendering of the very same window.
//
// Left: a copy of the main window (side panel, welcome page with Setup and
// Cancel; Setup turns to the folder page as in the installer), and below it
// a copy of the progress window (bar at 42 %, Pause and Cancel; Pause turns
// into Resume and back). Right: main-window buttons and progress-window
// buttons shown idle, hot and pressed, and the bar at 0, 1, 42, 69, 70, 89,
// 90, 99 and 100 %. Every click on a gallery button is appended to the
// window's caption, so a test can see which clicks happened.

#include <memory>
#include <string>

#include "ui/form.h"

namespace gallery {

inline constexpr char kTitle[] = "Widget gallery";

std::unique_ptr<ui::Form> BuildGallery();

// The percentages of the bar exhibits, top to bottom.
inline constexpr int kBarPercents[] = {0, 1, 42, 69, 70, 89, 90, 99, 100};

}  // namespace gallery
