#pragma once

#include <array>
#include <optional>
#include <string>

#include "ui/control.h"
#include "widgets/progress_geometry.h"

namespace widgets {

// A windowless progress bar: a row of gradient-shaded blocks whose colours
// depend on the percentage reached (its level), with the percentage written
// over it. Positions that would not change what it shows do not repaint it,
// so a bar over millions of bytes paints about once per percent however
// often its position is set; when it does repaint, it paints at once.
class LevelProgressBar : public ui::Control {
  protected:
    bool IsKind(const void* tag) const override {
        return tag == KindTag<LevelProgressBar>() || ui::Control::IsKind(tag);
    }

  public:
    // The colours of one level: A at the middle of a block, Z at its edges.
    struct LevelColors {
        ui::Color color;
        ui::Color colorTo;
        bool operator==(const LevelColors&) const = default;
    };
    static constexpr int kLevels = 4;
    // Pixels left in this colour are transparent when the bar is rounded.
    static constexpr ui::Color kTransparentKey = ui::Color::Rgb(255, 0, 255);

    explicit LevelProgressBar(std::string name = {});

    int min() const { return min_; }
    void SetMin(int min);
    int max() const { return max_; }
    void SetMax(int max);
    int position() const { return position_; }
    // A value inside min .. max becomes the position and may paint at once;
    // a value outside is stored as the nearer limit without painting.
    void SetPosition(int value);
    int Percentage() const { return ProgressPercentage(position_, min_, max_); }
    int repaintStep() const { return repaintStep_; }

    const LevelColors& level(int index) const { return levels_.at(index); }
    void SetLevelColor(int index, ui::Color color);
    void SetLevelColorTo(int index, ui::Color color);
    int level1Perc() const { return level1Perc_; }
    void SetLevel1Perc(int percent);
    int level2Perc() const { return level2Perc_; }
    void SetLevel2Perc(int percent);

    ui::Color backgroundColor() const { return backgroundColor_; }
    void SetBackgroundColor(ui::Color color);
    ui::Color borderColor() const { return borderColor_; }
    void SetBorderColor(ui::Color color);
    bool showBorder() const { return showBorder_; }
    void SetShowBorder(bool show);
    bool rounded() const { return rounded_; }
    void SetRounded(bool rounded);
    bool showGradient() const { return showGradient_; }
    void SetShowGradient(bool show);
    // Gradient bands per half block.
    int steps() const { return steps_; }
    void SetSteps(int steps);
    // One continuous fill instead of separate blocks.
    bool completionSmooth() const { return completionSmooth_; }
    void SetCompletionSmooth(bool smooth);
    bool showPosition() const { return showPosition_; }
    void SetShowPosition(bool show);
    // The text is the percentage with "%" (else the position).
    bool showPercentage() const { return showPercentage_; }
    void SetShowPercentage(bool show);
    BarOrientation orientation() const { return orientation_; }
    void SetOrientation(BarOrientation orientation);

    // The text written over the bar.
    std::string Text() const;

    void Paint(ui::Canvas& canvas) override;
    bool HitTestable() const override { return false; }
    ui::AccessibleRole accessibleRole() const override { return ui::AccessibleRole::ProgressBar; }
    std::string AccessibleValue() const override { return std::to_string(Percentage()) + "%"; }

  private:
    template <typename T>
    void Set(T& field, const T& value);
    void DrawBar(ui::Canvas& canvas, const ui::Rect& bar);

    int min_ = 0;
    int max_ = 100;
    int position_ = 50;
    int repaintStep_ = 1;
    // What the last in-range SetPosition saw.
    std::optional<int> lastPosition_;
    int lastPercentage_ = 0;
    int lastStepIndex_ = 0;
    std::array<LevelColors, kLevels> levels_;
    int level1Perc_ = 70;
    int level2Perc_ = 90;
    ui::Color backgroundColor_ = ui::colors::kWhite;
    ui::Color borderColor_ = ui::colors::kGray;
    bool showBorder_ = true;
    bool rounded_ = true;
    bool showGradient_ = true;
    int steps_ = 8;
    bool completionSmooth_ = false;
    bool showPosition_ = true;
    bool showPercentage_ = true;
    BarOrientation orientation_ = BarOrientation::Horizontal;
};

}  // namespace widgets
