#pragma once

#include <memory>
#include <string>

#include "ui/canvas.h"
#include "ui/control.h"
#include "ui/layout.h"

namespace ui {

// A windowless picture with a bitmap of its own, which it shows at its
// top-left corner. Code paints the picture on the bitmap's canvas.
class Image : public Control {
  protected:
    bool IsKind(const void* tag) const override {
        return tag == KindTag<Image>() || Control::IsKind(tag);
    }

  public:
    explicit Image(std::string name = {});
    ~Image() override;

    // The bitmap's canvas. The bitmap is made at the control's size on first
    // use; what is drawn shows at the next paint.
    Canvas& canvas();
    // The bitmap, or nothing while no one has drawn.
    const Bitmap* bitmap() const { return bitmap_.get(); }

    void Paint(Canvas& canvas) override;

  protected:
    // A new size drops the bitmap: the picture is drawn again at it.
    void BoundsChanged() override;

  public:
    // What the picture shows, in words, for screen readers.
    void SetDescription(std::string text) { description_ = std::move(text); }
    AccessibleRole accessibleRole() const override { return AccessibleRole::Graphic; }
    std::string AccessibleName() const override { return description_; }

  private:
    std::unique_ptr<Bitmap> bitmap_;
    std::string description_;
};

// Adds the kind "Image" (the common keys only).
void AddImageKind(ComponentKinds& kinds);

}  // namespace ui
