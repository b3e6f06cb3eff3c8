#pragma once

// Frames round a rectangle: bevels in the system's highlight and shadow
// colours, and plain frames in one colour.

#include <vector>

#include "ui/canvas.h"
#include "ui/types.h"

namespace widgets {

enum class Bevel { None, Lowered, Raised, Space };

struct FrameLine {
    ui::Rect rect;
    ui::Color color;
    bool operator==(const FrameLine&) const = default;
};

// The lines of a frame `width` pixels wide just inside `rect`: each pixel of
// width is a ring whose top and left lines are `topLeft` and whose right and
// bottom lines are `bottomRight` (those two own the top-right and
// bottom-left corners), one pixel further in than the ring before.
std::vector<FrameLine> FrameLines(const ui::Rect& rect, ui::Color topLeft, ui::Color bottomRight,
                                  int width);

// A bevel's frame: raised and space light at the top and left and dark at
// the bottom and right, lowered the other way round; none has no lines.
std::vector<FrameLine> BevelLines(const ui::Rect& rect, Bevel bevel, int width);

// Draws the bevel and returns the rectangle inside it (`rect` itself for no
// bevel).
ui::Rect PaintBevel(ui::Canvas& canvas, const ui::Rect& rect, Bevel bevel, int width);

// Draws a frame in one colour and returns the rectangle inside it.
ui::Rect PaintFrame(ui::Canvas& canvas, const ui::Rect& rect, ui::Color color, int width);

}  // namespace widgets
