#include "widgets/progress_geometry.h"

#include "ui/dpi.h"

#include <algorithm>
#include <cstdint>

#include "widgets/gradient.h"

namespace widgets {

int ProgressPercentage(int position, int min, int max) {
    const std::int64_t range = static_cast<std::int64_t>(max) - min;
    if (range == 0) {
        return 0;
    }
    return RoundHalfEven(static_cast<double>(position) / static_cast<double>(range) * 100.0);
}

int ProgressRepaintStep(int min, int max) {
    return static_cast<int>((static_cast<std::int64_t>(max) - min) / 100);
}

bool PositionWantsRepaint(int value, int repaintStep, int lastStepIndex, int percentage,
                          int lastPercentage) {
    if (repaintStep == 0) {
        return true;
    }
    return value % repaintStep == 0 || value / repaintStep != lastStepIndex ||
           percentage != lastPercentage;
}

int ProgressLevel(int percentage, int level1Perc, int level2Perc) {
    if (percentage < level1Perc) {
        return 0;
    }
    if (percentage < level2Perc) {
        return 1;
    }
    return percentage < 100 ? 2 : 3;
}

int FilledLength(int usable, int percentage) {
    return RoundHalfEven(static_cast<double>(usable) * percentage / 100.0);
}

BarMetrics BarMetricsAt(int dpi) {
    return {ui::LineWidth(dpi), ui::ScaleLength(2, dpi), ui::ScaleLength(7, dpi),
            ui::ScaleLength(2, dpi), ui::ScaleLength(2, dpi)};
}

std::vector<BlockSpan> BarBlocks(int filled, bool smooth, const BarMetrics& m) {
    const int pitch = m.block + m.gap;
    if (filled <= m.lead - m.line) {
        return {};
    }
    if (smooth || filled < pitch + m.line) {
        return {{m.lead, filled + m.lead - m.line}};
    }
    std::vector<BlockSpan> blocks;
    const int full = filled / pitch;
    for (int k = 0; k < full; ++k) {
        blocks.push_back({m.lead + pitch * k, m.lead + pitch * k + m.block});
    }
    const int rest = filled % pitch;
    if (rest >= m.gap + m.line) {
        const int start = m.lead + pitch * full;
        blocks.push_back({start, start + rest - m.line});
    }
    return blocks;
}

std::vector<ui::Rect> BarBlockRects(const ui::Rect& bar, int percentage, bool smooth,
                                    BarOrientation orientation, const BarMetrics& m) {
    const bool horizontal = orientation == BarOrientation::Horizontal;
    const int usable = (horizontal ? bar.width() : bar.height()) - 2 * m.line;
    std::vector<ui::Rect> rects;
    if (percentage <= 0) {
        return rects;
    }
    // A position left above a lowered maximum gives more than 100 %; the
    // blocks still end at the border.
    const int filled = std::min(FilledLength(usable, percentage), usable);
    for (const BlockSpan& span : BarBlocks(filled, smooth, m)) {
        if (horizontal) {
            rects.push_back({bar.left + span.start, bar.top + m.margin, bar.left + span.end,
                             bar.bottom - m.margin});
        } else {
            rects.push_back({bar.left + m.margin, bar.bottom - span.end, bar.right - m.margin,
                             bar.bottom - span.start});
        }
    }
    return rects;
}

BlockHalves SplitBlock(const ui::Rect& block, BarOrientation orientation) {
    if (orientation == BarOrientation::Horizontal) {
        const int middle = block.top + block.height() / 2;
        return {{block.left, block.top, block.right, middle},
                {block.left, middle, block.right, block.bottom}};
    }
    const int middle = block.left + block.width() / 2;
    return {{block.left, block.top, middle, block.bottom},
            {middle, block.top, block.right, block.bottom}};
}

ui::Point BarTextOrigin(const ui::Rect& bar, ui::Size text) {
    return {bar.left + bar.width() / 2 - text.width / 2,
            bar.top + bar.height() / 2 - text.height / 2};
}

}  // namespace widgets
