#pragma once

#include <string>

#include "ui/push_button.h"
#include "widgets/button_look.h"

namespace widgets {

// A windowless, flat push button whose face is a vertical colour gradient,
// with other colours while the mouse is over it (hot) and while it is
// pressed. A left press and a release over the button raise onClick;
// dragging out shows it up, dragging back shows it pressed again, and a
// release outside clicks nothing. While its window shows keyboard cues, the
// button with the focus has a dotted rectangle inside its face and the
// access key is underlined.
class GradientButton : public ui::PushButton {
  protected:
    bool IsKind(const void* tag) const override {
        return tag == KindTag<GradientButton>() || ui::PushButton::IsKind(tag);
    }

  public:
    explicit GradientButton(std::string name = {});

    const ButtonColors& colors() const { return colors_; }
    // The normal colours and border repaint at once; the hot and pressed
    // ones are read at the next paint that needs them.
    void SetColor(ui::Color color);
    void SetColorTo(ui::Color color);
    void SetBorderColor(ui::Color color);
    void SetColorHot(ui::Color color) { colors_.colorHot = color; }
    void SetColorHotTo(ui::Color color) { colors_.colorHotTo = color; }
    void SetColorDown(ui::Color color) { colors_.colorDown = color; }
    void SetColorDownTo(ui::Color color) { colors_.colorDownTo = color; }
    void SetBorderHotColor(ui::Color color) { colors_.borderHotColor = color; }
    void SetBorderDownColor(ui::Color color) { colors_.borderDownColor = color; }

    // A rounded outline (in the hot and pressed border colours) and a face
    // inset by a pixel.
    bool rounded() const { return rounded_; }
    void SetRounded(bool rounded);
    // Flat with hot tracking; a button that is not flat also gets a raised
    // frame, lowered while pressed.
    bool flat() const { return flat_; }
    void SetFlat(bool flat);
    // Raises a glyph while hot. This button draws no glyphs, so it only
    // keeps the setting for layouts that carry it.
    bool shaded() const { return shaded_; }
    void SetShaded(bool shaded) { shaded_ = shaded; }
    bool showCaption() const { return showCaption_; }
    void SetShowCaption(bool show);
    // When set, the button ignores its configured colours and follows the
    // desktop's colour scheme (ThemeButtonColors).
    bool autoThemeAdapt() const { return autoThemeAdapt_; }
    void SetAutoThemeAdapt(bool adapt);

    ButtonState state() const { return state_; }
    bool mouseInControl() const { return mouseInControl_; }
    bool pressedOnButton() const { return pressedOnButton_; }
    // The look the next paint draws.
    ButtonLook CurrentLook() const;

    void Paint(ui::Canvas& canvas) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void MouseDown(ui::MouseButton button, ui::Point at) override;
    void MouseMove(ui::Point at) override;
    void MouseUp(ui::MouseButton button, ui::Point at) override;

  protected:
    void EnabledChanged() override;

  private:
    bool Inside(ui::Point at) const;
    void SetState(ButtonState state);
    void SetHot(bool hot);
    // `line` is the width of a designed one-pixel line at the window's dpi.
    void PaintFace(ui::Canvas& canvas, const ButtonLook& look, const ui::Rect& face, int line);
    void PaintCaption(ui::Canvas& canvas, const ui::Rect& area, int line);

    ButtonColors colors_;
    bool rounded_ = false;
    bool flat_ = true;
    bool shaded_ = true;
    bool showCaption_ = true;
    bool autoThemeAdapt_ = false;

    ButtonState state_ = ButtonState::Up;
    bool mouseInControl_ = false;
    bool pressedOnButton_ = false;
};

}  // namespace widgets
