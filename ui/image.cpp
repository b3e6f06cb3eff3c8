#include "ui/image.h"

namespace ui {

Image::Image(std::string name) : Control(std::move(name)) {}

Image::~Image() = default;

Canvas& Image::canvas() {
    if (!bitmap_) {
        bitmap_ = CreateBitmap(width(), height());
    }
    Invalidate();
    return bitmap_->canvas();
}

void Image::BoundsChanged() {
    if (bitmap_ && (bitmap_->width() != width() || bitmap_->height() != height())) {
        bitmap_.reset();
    }
}

void Image::Paint(Canvas& canvas) {
    if (bitmap_) {
        canvas.Draw(0, 0, *bitmap_);
    }
}

void AddImageKind(ComponentKinds& kinds) {
    kinds["Image"] = [](PropertyReader& properties, const HandlerTable&) {
        return std::unique_ptr<Control>(std::make_unique<Image>(properties.component().name));
    };
}

}  // namespace ui
