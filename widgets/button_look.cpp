#include "widgets/button_look.h"

namespace widgets {

ButtonColors ThemeButtonColors() {
    using ui::Color;
    using ui::SystemColor;
    ButtonColors colors;
    colors.color = Color::System(SystemColor::BtnFace);
    colors.colorHot = Color::System(SystemColor::BtnHighlight);
    colors.colorHotTo = Color::System(SystemColor::BtnFace);
    colors.colorDown = Color::System(SystemColor::BtnShadow);
    colors.colorDownTo = Color::System(SystemColor::BtnFace);
    return colors;
}

ButtonLook ChooseButtonLook(const ButtonColors& colors, const ButtonStyle& style, ButtonState state,
                            bool hot) {
    ButtonLook look;
    const bool enabled = state != ButtonState::Disabled;
    const bool down = state == ButtonState::Down || state == ButtonState::Exclusive;
    look.frame = !style.flat;
    look.frameLowered = down;
    if (!hot || !enabled) {
        look.top = colors.color;
        look.bottom = colors.colorTo;
        // A normal-state border is an outline round the face; a rounded
        // button draws it rounded, as in its other states.
        look.outline = style.rounded ? ui::Color::None() : colors.borderColor;
        look.roundedOutline = style.rounded && !colors.borderColor.isNone();
        look.roundedOutlineColor = colors.borderColor;
        return look;
    }
    const ui::Color border = down ? colors.borderDownColor : colors.borderHotColor;
    look.top = down ? colors.colorDown : colors.colorHot;
    look.bottom = down ? colors.colorDownTo : colors.colorHotTo;
    look.outline = style.rounded ? ui::Color::None() : border;
    look.roundedOutline = style.rounded;
    look.roundedOutlineColor = border;
    return look;
}

ui::Rect ButtonFace(const ui::Rect& whole, const ButtonColors& colors, bool rounded, int line) {
    if (colors.borderDownColor.isNone() || rounded) {
        return whole.Inflate(-line);
    }
    return whole;
}

ui::Rect CaptionArea(const ui::Rect& face, int line) {
    return face.Inflate(-line);
}

ui::Point CaptionOrigin(const ui::Rect& area, ui::Size text) {
    return {area.left + (area.width() - text.width) / 2,
            area.top + (area.height() - text.height) / 2};
}

ui::Rect FocusRect(const ui::Rect& face, int line) {
    return face.Inflate(-2 * line);
}

}  // namespace widgets
