#include "widgets/gradient_panel.h"

#include "ui/dpi.h"
#include "ui/form.h"

#include <algorithm>

#include "widgets/set_property.h"

namespace widgets {

GradientPanel::GradientPanel(std::string name) : Panel(std::move(name)) {
    SetColor(ui::Color::System(ui::SystemColor::BtnFace));
    SetSize(185, 41);
}

GradientPanel::~GradientPanel() = default;

template <typename T>
void GradientPanel::Set(T& field, const T& value) {
    if (StoreIfChanged(field, value)) {
        Invalidate();
    }
}

void GradientPanel::SetColorTo(ui::Color color) {
    Set(colorTo_, color);
}
void GradientPanel::SetColorMirror(ui::Color color) {
    Set(colorMirror_, color);
}
void GradientPanel::SetColorMirrorTo(ui::Color color) {
    Set(colorMirrorTo_, color);
}
void GradientPanel::SetGradientDirection(Direction direction) {
    Set(direction_, direction);
}
void GradientPanel::SetBevelOuter(Bevel bevel) {
    Set(bevelOuter_, bevel);
}
void GradientPanel::SetBevelInner(Bevel bevel) {
    Set(bevelInner_, bevel);
}
void GradientPanel::SetBevelWidth(int width) {
    Set(bevelWidth_, width);
}
void GradientPanel::SetBorderColor(ui::Color color) {
    Set(borderColor_, color);
}
void GradientPanel::SetBorderWidth(int width) {
    Set(borderWidth_, width);
}
void GradientPanel::SetBuffered(bool buffered) {
    Set(buffered_, buffered);
}

void GradientPanel::PaintGradient(ui::Canvas& canvas, const ui::Rect& rect, ui::Color from,
                                  ui::Color to) {
    const int count = std::min(kBackgroundBands, kMaxBands);
    if (direction_ == Direction::Vertical) {
        PaintBands(canvas, ShadeBands(rect.top, rect.bottom, from, to, count), rect,
                   Axis::Vertical);
    } else {
        PaintBands(canvas, ShadeBands(rect.left, rect.right, from, to, count), rect,
                   Axis::Horizontal);
    }
}

void GradientPanel::PaintBackground(ui::Canvas& canvas) {
    ui::Rect rect = ui::Rect::FromSize(0, 0, width(), height());
    if (colorTo_.isNone()) {
        canvas.SetBrush(color());
        canvas.FillRect(rect);
    } else if (colorMirror_.isNone()) {
        PaintGradient(canvas, rect, color(), colorTo_);
    } else {
        // Split across the gradient's direction: top and bottom halves of a
        // vertical gradient, left and right of a horizontal one.
        ui::Rect first = rect;
        ui::Rect second = rect;
        if (direction_ == Direction::Vertical) {
            first.bottom = second.top = rect.top + rect.height() / 2;
        } else {
            first.right = second.left = rect.left + rect.width() / 2;
        }
        PaintGradient(canvas, first, color(), colorTo_);
        PaintGradient(canvas, second, colorMirror_, colorMirrorTo_);
    }
    // The outline takes its width from the edge inward, like the bevels;
    // their widths are lines (ui/dpi.h).
    const int line = ui::LineWidth(ui::DpiOf(*this));
    if (!borderColor_.isNone() && borderWidth_ > 0) {
        rect = PaintFrame(canvas, rect, borderColor_, borderWidth_ * line);
    }
    rect = PaintBevel(canvas, rect, bevelOuter_, bevelWidth_ * line);
    if (borderColor_.isNone()) {
        rect = PaintFrame(canvas, rect, color(), line);
    }
    PaintBevel(canvas, rect, bevelInner_, bevelWidth_ * line);
}

void GradientPanel::Paint(ui::Canvas& canvas) {
    if (width() <= 0 || height() <= 0) {
        return;
    }
    if (!buffered_) {
        buffer_.reset();
        PaintBackground(canvas);
        return;
    }
    if (!buffer_) {
        buffer_ = ui::CreateBitmap(width(), height());
    } else if (buffer_->width() != width() || buffer_->height() != height()) {
        buffer_->Resize(width(), height());
    }
    PaintBackground(buffer_->canvas());
    canvas.Draw(0, 0, *buffer_);
}

}  // namespace widgets
