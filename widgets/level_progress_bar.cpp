#include "widgets/level_progress_bar.h"

#include "ui/dpi.h"
#include "ui/form.h"

#include "widgets/gradient.h"
#include "widgets/set_property.h"

namespace widgets {

LevelProgressBar::LevelProgressBar(std::string name) : Control(std::move(name)) {
    levels_ = {{
        {ui::Color::Rgb(0, 255, 0), ui::Color::Rgb(225, 255, 225)},
        {ui::Color::Rgb(255, 255, 0), ui::Color::Rgb(255, 255, 202)},
        {ui::Color::Rgb(255, 169, 83), ui::Color::Rgb(255, 211, 168)},
        {ui::Color::Rgb(255, 0, 0), ui::Color::Rgb(255, 202, 202)},
    }};
    // Verdana at 10 points on a 96 dpi screen.
    SetFont({"Verdana", -13, false, false, ui::Color::System(ui::SystemColor::WindowText)});
    SetSize(128, 18);
}

template <typename T>
void LevelProgressBar::Set(T& field, const T& value) {
    if (StoreIfChanged(field, value)) {
        Invalidate();
    }
}

void LevelProgressBar::SetMin(int min) {
    if (StoreIfChanged(min_, min)) {
        repaintStep_ = ProgressRepaintStep(min_, max_);
        Invalidate();
    }
}

void LevelProgressBar::SetMax(int max) {
    if (StoreIfChanged(max_, max)) {
        repaintStep_ = ProgressRepaintStep(min_, max_);
        Invalidate();
    }
}

void LevelProgressBar::SetPosition(int value) {
    if (value < min_ || value > max_) {
        position_ = value < min_ ? min_ : max_;
        return;
    }
    position_ = value;
    // The value handled last, again, shows nothing new; a range of one
    // hundred or less (step 1, where every value is a multiple of the step)
    // would otherwise paint on every call.
    if (lastPosition_ == value) {
        return;
    }
    lastPosition_ = value;
    const int percentage = Percentage();
    if (PositionWantsRepaint(value, repaintStep_, lastStepIndex_, percentage, lastPercentage_)) {
        Repaint();
    }
    if (percentage != lastPercentage_) {
        ui::NotifyAccessible(*this, ui::AccessibleEvent::ValueChange);
    }
    lastPercentage_ = percentage;
    if (repaintStep_ != 0) {
        lastStepIndex_ = value / repaintStep_;
    }
}

void LevelProgressBar::SetLevelColor(int index, ui::Color color) {
    Set(levels_.at(index).color, color);
}

void LevelProgressBar::SetLevelColorTo(int index, ui::Color color) {
    Set(levels_.at(index).colorTo, color);
}

void LevelProgressBar::SetLevel1Perc(int percent) {
    Set(level1Perc_, percent);
}
void LevelProgressBar::SetLevel2Perc(int percent) {
    Set(level2Perc_, percent);
}
void LevelProgressBar::SetBackgroundColor(ui::Color color) {
    Set(backgroundColor_, color);
}
void LevelProgressBar::SetBorderColor(ui::Color color) {
    Set(borderColor_, color);
}
void LevelProgressBar::SetShowBorder(bool show) {
    Set(showBorder_, show);
}
void LevelProgressBar::SetRounded(bool rounded) {
    Set(rounded_, rounded);
}
void LevelProgressBar::SetShowGradient(bool show) {
    Set(showGradient_, show);
}
void LevelProgressBar::SetSteps(int steps) {
    Set(steps_, steps);
}
void LevelProgressBar::SetCompletionSmooth(bool smooth) {
    Set(completionSmooth_, smooth);
}
void LevelProgressBar::SetShowPosition(bool show) {
    Set(showPosition_, show);
}
void LevelProgressBar::SetShowPercentage(bool show) {
    Set(showPercentage_, show);
}
void LevelProgressBar::SetOrientation(BarOrientation orientation) {
    Set(orientation_, orientation);
}

std::string LevelProgressBar::Text() const {
    return showPercentage_ ? std::to_string(Percentage()) + "%" : std::to_string(position_);
}

void LevelProgressBar::DrawBar(ui::Canvas& canvas, const ui::Rect& bar) {
    if (rounded_) {
        canvas.SetBrush(kTransparentKey);
        canvas.FillRect(bar);
    }
    const int dpi = ui::DpiOf(*this);
    const BarMetrics metrics = BarMetricsAt(dpi);
    const int corner = ui::ScaleLength(6, dpi);
    canvas.SetBrush(backgroundColor_);
    canvas.SetPen(showBorder_ ? borderColor_ : backgroundColor_, 1);
    for (int i = 0; i < metrics.line; ++i) {  // the border a line thick, inward
        if (rounded_) {
            canvas.RoundRect(bar.Inflate(-i), corner, corner);
        } else {
            canvas.Rectangle(bar.Inflate(-i));
        }
        canvas.SetBrush(ui::Color::None());
    }

    const int percentage = Percentage();
    if (percentage > 0) {
        const LevelColors& colors = levels_[ProgressLevel(percentage, level1Perc_, level2Perc_)];
        // Blocks are lightest at their edges and full-coloured in the middle.
        const Axis across =
            orientation_ == BarOrientation::Horizontal ? Axis::Vertical : Axis::Horizontal;
        for (const ui::Rect& block :
             BarBlockRects(bar, percentage, completionSmooth_, orientation_, metrics)) {
            if (!showGradient_) {
                canvas.SetBrush(colors.color);
                canvas.FillRect(block);
                continue;
            }
            const BlockHalves halves = SplitBlock(block, orientation_);
            const bool rows = across == Axis::Vertical;
            const auto bands = [&](const ui::Rect& part, ui::Color from, ui::Color to) {
                return rows ? ShadeBands(part.top, part.bottom, from, to, steps_)
                            : ShadeBands(part.left, part.right, from, to, steps_);
            };
            PaintBands(canvas, bands(halves.first, colors.colorTo, colors.color), halves.first,
                       across);
            PaintBands(canvas, bands(halves.second, colors.color, colors.colorTo), halves.second,
                       across);
        }
    }

    if (showPosition_) {
        const std::string text = Text();
        canvas.SetFont(font());
        canvas.SetTextBackground(ui::Color::None());
        const ui::Point at = BarTextOrigin(bar, canvas.TextExtent(text));
        canvas.TextOut(at.x, at.y, text);
    }
}

void LevelProgressBar::Paint(ui::Canvas& canvas) {
    if (width() <= 0 || height() <= 0) {
        return;
    }
    // Drawn off screen so that the rounded corners can be left out whole.
    const auto bitmap = ui::CreateBitmap(width(), height());
    DrawBar(bitmap->canvas(), ui::Rect::FromSize(0, 0, width(), height()));
    if (rounded_) {
        canvas.DrawTransparent(0, 0, *bitmap, kTransparentKey);
    } else {
        canvas.Draw(0, 0, *bitmap);
    }
}

}  // namespace widgets
