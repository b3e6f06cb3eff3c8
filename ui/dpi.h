#pragma once

#include "ui/types.h"

namespace ui {

// The windows are designed at 96 pixels per inch; at another dpi every
// designed position, size and font height is multiplied by dpi/96 and
// rounded to the nearest pixel, halves away from zero (as MulDiv rounds).
// Positions and sizes are scaled apart, so that equal designed sizes stay
// equal at every scale.
inline constexpr int kDesignDpi = 96;

int ScaleLength(int length, int dpi);
Rect ScaleRect(const Rect& rect, int dpi);
Font ScaleFont(Font font, int dpi);

// How thick a designed one-pixel line is drawn: one pixel up to 191 dpi,
// two at 192. Lines stay whole pixels, so they stay sharp at 125 and 150 %,
// and double with everything else at 200 %.
int LineWidth(int dpi);

}  // namespace ui
