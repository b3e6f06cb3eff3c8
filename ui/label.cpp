#include "ui/label.h"

#include "ui/theme.h"

namespace ui {

Label::Label(std::string name) : Control(std::move(name)) {
    AdjustSize();
}

void Label::SetCaption(const std::string& caption) {
    if (caption == caption_) {
        return;
    }
    caption_ = caption;
    AdjustSize();
    Invalidate();
    NotifyAccessible(*this, AccessibleEvent::NameChange);
}

void Label::SetColor(Color color) {
    if (color == color_) {
        return;
    }
    color_ = color;
    Invalidate();
}

void Label::AdjustSize() {
    const Size size = MeasureText(font(), caption_);
    if (size.width != width() || size.height != height()) {
        SetSize(size.width, size.height);
    }
}

void Label::Paint(Canvas& canvas) {
    if (!color_.isNone() && !VisualStylesActive()) {
        canvas.SetBrush(color_);
        canvas.FillRect(Rect::FromSize(0, 0, width(), height()));
    }
    canvas.SetFont(font());
    canvas.SetTextBackground(Color::None());
    canvas.TextOut(0, 0, caption_);
}

Size MeasureText(const Font& font, const std::string& text) {
    // A bitmap's canvas measures as the screen does, on either backend.
    const auto bitmap = CreateBitmap(1, 1);
    Canvas& canvas = bitmap->canvas();
    canvas.SetFont(font);
    if (text.empty()) {
        return {0, canvas.TextExtent(" ").height};
    }
    return canvas.TextExtent(text);
}

void AddLabelKind(ComponentKinds& kinds) {
    kinds["Label"] = [](PropertyReader& properties, const HandlerTable&) {
        auto label = std::make_unique<Label>(properties.component().name);
        if (const auto* p = properties.Take("caption")) {
            label->SetCaption(ParseText(*p));
        }
        if (const auto* p = properties.Take("color")) {
            label->SetColor(ParseColor(*p));
        }
        if (const auto* p = properties.Take("at")) {
            const auto v = ParseInts(*p, 2);
            label->SetBounds(label->bounds().Offset(v[0] - label->left(), v[1] - label->top()));
        }
        return std::unique_ptr<Control>(std::move(label));
    };
}

}  // namespace ui
