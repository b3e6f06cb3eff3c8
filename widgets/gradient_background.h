#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "ui/control.h"
#include "widgets/background_geometry.h"

namespace widgets {

// A windowless control that fills its whole area with a banded colour
// gradient, meant as the first child of a page so that everything else
// paints over it. It fills its parent unless told otherwise, lets the mouse
// pass through, and keeps the gradient in a bitmap that is rebuilt only
// when its size or one of its properties changed; other paints copy it.
class GradientBackground : public ui::Control {
  public:
    explicit GradientBackground(std::string name = {});
    ~GradientBackground() override;

    GradientStyle style() const { return style_; }
    void SetStyle(GradientStyle style);
    ui::Color startColor() const { return startColor_; }
    void SetStartColor(ui::Color color);
    ui::Color endColor() const { return endColor_; }
    void SetEndColor(ui::Color color);
    std::uint16_t steps() const { return steps_; }
    void SetSteps(std::uint16_t steps);

    void Paint(ui::Canvas& canvas) override;
    bool HitTestable() const override { return false; }

    // How often the gradient was built into the bitmap (caching is the
    // point of this control, so tests and diagnostics read it).
    int gradientBuilds() const { return gradientBuilds_; }

  private:
    void Changed();
    void Build();

    GradientStyle style_ = GradientStyle::grHorizontal;
    ui::Color startColor_ = ui::Color::Rgb(0, 0, 255);
    ui::Color endColor_ = ui::colors::kBlack;
    std::uint16_t steps_ = 100;

    std::unique_ptr<ui::Bitmap> bitmap_;
    // The size the bitmap was built for; a width of 0 marks it stale.
    int builtWidth_ = 0;
    int builtHeight_ = 0;
    int gradientBuilds_ = 0;
};

}  // namespace widgets
