#pragma once

// The drawn widgets as layout kinds, so that window layouts declare them
// with their properties and click handlers:
//
//   [btnSetup]
//   kind = GradientButton
//   parent = TabSheet1
//   bounds = 102 332 73 22
//   caption = "Setup"
//   color = clRed
//   colorTo = clMaroon
//   OnClick = btnSetupClick
//
// Keys, besides the common ones (bounds, align, visible, enabled, font,
// cursor, and color, which is the start colour of a GradientPanel):
//
//   GradientButton      caption, color, colorTo, colorHot, colorHotTo,
//                       colorDown, colorDownTo, borderColor, borderHotColor,
//                       borderDownColor, rounded, flat, shaded, showCaption,
//                       autoThemeAdapt, OnClick
//   LevelProgressBar    min, max, position, level0Color .. level3Color,
//                       level0ColorTo .. level3ColorTo, level1Perc,
//                       level2Perc, backgroundColor, borderColor, showBorder,
//                       rounded, showGradient, steps, completionSmooth,
//                       showPosition, showPercentage,
//                       orientation (horizontal | vertical)
//   GradientPanel       colorTo, colorMirror, colorMirrorTo,
//                       gradientDirection (gdVertical | gdHorizontal),
//                       bevelOuter, bevelInner (none | lowered | raised |
//                       space), bevelWidth, borderColor, borderWidth, buffered
//   GradientBackground  style (grFilled | grEllipse | grHorizontal |
//                       grVertical | grPyramid | grMount), startColor,
//                       endColor, steps

#include "ui/layout.h"

namespace widgets {

// Adds the four widget kinds to a window's kinds, under their class names.
void AddWidgetKinds(ui::ComponentKinds& kinds);

}  // namespace widgets
