#pragma once

// The numbers behind a LevelProgressBar: its percentage, repaint step and
// level, and where its blocks and text go. Painting only walks these.

#include <vector>

#include "ui/types.h"

namespace widgets {

// nearest(position / (max - min) * 100), ties to even; 0 when max equals
// min. The position itself is divided, not position - min. The range is
// taken in 64 bits, so extreme limits do not overflow.
int ProgressPercentage(int position, int min, int max);

// (max - min) div 100: positions closer together than this share a repaint.
// Kept in 64 bits while computing; a range of more than 100 * 2^31 cannot
// occur with 32-bit limits.
int ProgressRepaintStep(int min, int max);

// Whether SetPosition paints at once: always when the step is 0; else when
// the value is a multiple of the step, enters another step, or shows
// another percentage than the last repaint did.
bool PositionWantsRepaint(int value, int repaintStep, int lastStepIndex, int percentage,
                          int lastPercentage);

// The level whose colours a percentage shows: 0 below level1Perc, 1 below
// level2Perc, 2 below 100, else 3.
int ProgressLevel(int percentage, int level1Perc, int level2Perc);

// The filled length of a bar whose usable length is `usable` pixels:
// nearest(usable * percentage / 100).
int FilledLength(int usable, int percentage);

// A block along the bar, from `start` to `end` (exclusive), in pixels from
// the bar's leading edge.
struct BlockSpan {
    int start = 0;
    int end = 0;
    bool operator==(const BlockSpan&) const = default;
};

// The bar's measures at a dpi: its border line (ui::LineWidth), and the
// designed 2-pixel lead and margin, 7-pixel blocks and 2-pixel gaps scaled.
struct BarMetrics {
    int line = 1;
    int lead = 2;
    int block = 7;
    int gap = 2;
    int margin = 2;
};
BarMetrics BarMetricsAt(int dpi);

// The blocks of a filled length, at 96 dpi: none up to 1; one block 2 ..
// filled + 1 up to 9 (and always, for a smooth bar); beyond that filled div
// 9 blocks of 7 pixels with 2-pixel gaps from 2 on, and, when filled mod 9
// is 3 or more, a partial block of filled mod 9 - 1 pixels after the last
// gap. At another dpi the same with the bar's metrics: lead for 2, block +
// gap for 9, gap + line for 3, line for 1.
std::vector<BlockSpan> BarBlocks(int filled, bool smooth, const BarMetrics& metrics = {});

enum class BarOrientation { Horizontal, Vertical };

// The blocks of a bar in `bar` (the whole control, right and bottom
// exclusive) at a percentage, as rectangles: along x from the left for a
// horizontal bar, along y from the bottom for a vertical one; across, they
// keep 2 pixels from each side. Above 100 % the bar is simply full.
std::vector<ui::Rect> BarBlockRects(const ui::Rect& bar, int percentage, bool smooth,
                                    BarOrientation orientation, const BarMetrics& metrics = {});

// A block split across its middle into the part nearer the leading side
// (top, or left for a vertical bar) and the rest: m = first + (last -
// first) div 2.
struct BlockHalves {
    ui::Rect first;
    ui::Rect second;
};
BlockHalves SplitBlock(const ui::Rect& block, BarOrientation orientation);

// Where a text of that size starts when centred on the bar:
// left + width div 2 - text width div 2, and the same for y.
ui::Point BarTextOrigin(const ui::Rect& bar, ui::Size text);

}  // namespace widgets
