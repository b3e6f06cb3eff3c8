#pragma once

#include <string>

#include "ui/control.h"
#include "ui/layout.h"

namespace ui {

// A windowless line of text that sizes itself to its text (no word wrap).
// Where the desktop's visual styles are on it draws no background, so what
// lies under it shows through; otherwise it fills its rectangle with its
// colour first (none fills nothing). The theme is asked at every paint.
class Label : public Control {
  protected:
    bool IsKind(const void* tag) const override {
        return tag == KindTag<Label>() || Control::IsKind(tag);
    }

  public:
    explicit Label(std::string name = {});

    const std::string& caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    Color color() const { return color_; }
    void SetColor(Color color);

    void Paint(Canvas& canvas) override;
    bool HitTestable() const override { return false; }
    std::string ShownText() const override { return caption_; }
    AccessibleRole accessibleRole() const override { return AccessibleRole::StaticText; }

  protected:
    // Any size given from outside gives way to the text's.
    void BoundsChanged() override { AdjustSize(); }
    void FontChanged() override { AdjustSize(); }

  private:
    void AdjustSize();

    std::string caption_;
    Color color_ = Color::None();
};

// The size a text takes in a font, as a label measures it: an empty text is
// as high as a line and no wider than nothing.
Size MeasureText(const Font& font, const std::string& text);

// Adds the kind "Label" to a window's kinds. Keys besides the common ones:
// caption, color, and at (left and top: the size follows the text).
void AddLabelKind(ComponentKinds& kinds);

}  // namespace ui
