#pragma once

#include <memory>
#include <string>

#include "ui/control.h"
#include "widgets/bevel.h"
#include "widgets/gradient.h"

namespace widgets {

// A windowed container whose background is a colour gradient instead of a
// flat colour, inside optional bevels; its children paint over it. Its
// start colour is the container's colour (color()/SetColor).
class GradientPanel : public ui::Panel {
  protected:
    bool IsKind(const void* tag) const override {
        return tag == KindTag<GradientPanel>() || ui::Panel::IsKind(tag);
    }

  public:
    ui::AccessibleRole accessibleRole() const override { return ui::AccessibleRole::Grouping; }
    // The background has this many bands, but never more than kMaxBands.
    static constexpr int kBackgroundBands = 64;
    static constexpr int kMaxBands = 32;

    enum class Direction { Vertical, Horizontal };

    explicit GradientPanel(std::string name = {});
    ~GradientPanel() override;

    ui::Color colorTo() const { return colorTo_; }
    void SetColorTo(ui::Color color);
    // A second gradient for the second half, used when ColorMirror is set.
    ui::Color colorMirror() const { return colorMirror_; }
    void SetColorMirror(ui::Color color);
    ui::Color colorMirrorTo() const { return colorMirrorTo_; }
    void SetColorMirrorTo(ui::Color color);
    Direction gradientDirection() const { return direction_; }
    void SetGradientDirection(Direction direction);

    Bevel bevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(Bevel bevel);
    Bevel bevelInner() const { return bevelInner_; }
    void SetBevelInner(Bevel bevel);
    int bevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int width);
    // An outline of borderWidth pixels round the panel, when both are set.
    ui::Color borderColor() const { return borderColor_; }
    void SetBorderColor(ui::Color color);
    int borderWidth() const { return borderWidth_; }
    void SetBorderWidth(int width);
    // Paints into an off-screen bitmap first and copies it in one go.
    bool buffered() const { return buffered_; }
    void SetBuffered(bool buffered);

    void Paint(ui::Canvas& canvas) override;

  private:
    template <typename T>
    void Set(T& field, const T& value);
    void PaintBackground(ui::Canvas& canvas);
    void PaintGradient(ui::Canvas& canvas, const ui::Rect& rect, ui::Color from, ui::Color to);

    ui::Color colorTo_ = ui::Color::None();
    ui::Color colorMirror_ = ui::Color::None();
    ui::Color colorMirrorTo_ = ui::Color::None();
    Direction direction_ = Direction::Vertical;
    Bevel bevelOuter_ = Bevel::Raised;
    Bevel bevelInner_ = Bevel::None;
    int bevelWidth_ = 1;
    ui::Color borderColor_ = ui::colors::kBlack;
    int borderWidth_ = 0;
    bool buffered_ = true;
    std::unique_ptr<ui::Bitmap> buffer_;
};

}  // namespace widgets
