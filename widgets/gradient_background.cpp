#include "widgets/gradient_background.h"

#include "widgets/set_property.h"

namespace widgets {

GradientBackground::GradientBackground(std::string name) : Control(std::move(name)) {
    SetAlign(ui::Align::Client);
}

GradientBackground::~GradientBackground() = default;

void GradientBackground::Changed() {
    builtWidth_ = 0;
    Invalidate();
}

void GradientBackground::SetStyle(GradientStyle style) {
    if (StoreIfChanged(style_, style)) {
        Changed();
    }
}

void GradientBackground::SetStartColor(ui::Color color) {
    if (StoreIfChanged(startColor_, color)) {
        Changed();
    }
}

void GradientBackground::SetEndColor(ui::Color color) {
    if (StoreIfChanged(endColor_, color)) {
        Changed();
    }
}

void GradientBackground::SetSteps(std::uint16_t steps) {
    if (StoreIfChanged(steps_, steps)) {
        Changed();
    }
}

void GradientBackground::Build() {
    if (!bitmap_) {
        bitmap_ = ui::CreateBitmap(width(), height());
    } else {
        bitmap_->Resize(width(), height());
    }
    ui::Canvas& canvas = bitmap_->canvas();
    for (const BackgroundShape& shape :
         BackgroundShapes(style_, width(), height(), startColor_, endColor_, steps_)) {
        canvas.SetBrush(shape.color);
        canvas.SetPen(shape.color, 1);
        switch (shape.kind) {
            case BackgroundShape::Kind::Fill:
                canvas.FillRect(shape.rect);
                break;
            case BackgroundShape::Kind::Ellipse:
                canvas.Ellipse(shape.rect);
                break;
            case BackgroundShape::Kind::RoundRect:
                canvas.RoundRect(shape.rect, shape.cornerWidth, shape.cornerHeight);
                break;
        }
    }
    ++gradientBuilds_;
}

void GradientBackground::Paint(ui::Canvas& canvas) {
    if (width() != builtWidth_ || height() != builtHeight_) {
        builtWidth_ = width();
        builtHeight_ = height();
        if (width() <= 0 || height() <= 0) {
            // Nothing to show, and nothing kept from an earlier size.
            bitmap_.reset();
            return;
        }
        Build();
    }
    if (bitmap_) {
        canvas.Draw(0, 0, *bitmap_);
    }
}

}  // namespace widgets
