#pragma once

// How a GradientButton looks in each state, as plain data, chosen in one
// place from its colours and state.

#include "ui/types.h"

namespace widgets {

// The colours a button is configured with; none is a distinct "no colour".
struct ButtonColors {
    ui::Color color = ui::Color::System(ui::SystemColor::BtnFace);
    ui::Color colorTo = ui::Color::None();
    ui::Color colorHot = ui::Color::Rgb(199, 199, 202);
    ui::Color colorHotTo = ui::Color::None();
    ui::Color colorDown = ui::Color::Rgb(210, 211, 216);
    ui::Color colorDownTo = ui::Color::None();
    ui::Color borderColor = ui::Color::None();
    ui::Color borderHotColor = ui::Color::None();
    ui::Color borderDownColor = ui::Color::None();
    bool operator==(const ButtonColors&) const = default;
};

// The colours a button follows when it adapts to the desktop's colour
// scheme: system colours, resolved whenever it paints, so a scheme change
// shows at the next paint.
ButtonColors ThemeButtonColors();

enum class ButtonState {
    Up,
    Disabled,
    Down,
    Exclusive,  // down as the chosen member of a group
};

struct ButtonLook {
    // The face: a gradient from `top` to `bottom`, or flat `top` when
    // `bottom` is none.
    ui::Color top;
    ui::Color bottom;
    // A one-pixel outline drawn with the face (none: no outline).
    ui::Color outline;
    // The rounded outline (corner ellipse 8 x 8) one pixel outside the face,
    // in hot and pressed states of a rounded button; none draws nothing.
    bool roundedOutline = false;
    ui::Color roundedOutlineColor;
    // A raised (or, when down, lowered) frame round the whole button, for
    // buttons that are not flat.
    bool frame = false;
    bool frameLowered = false;
    bool operator==(const ButtonLook&) const = default;
};

struct ButtonStyle {
    bool rounded = false;
    bool flat = true;
};

// The look for a state: the normal colours unless the button is hot and
// enabled; then the pressed colours when down, else the hot ones.
ButtonLook ChooseButtonLook(const ButtonColors& colors, const ButtonStyle& style, ButtonState state,
                            bool hot);

// The face: the whole button, shrunk by a line (`line` pixels, ui::LineWidth)
// on every side when there is no pressed border colour or the button is
// rounded (room for the outline).
ui::Rect ButtonFace(const ui::Rect& whole, const ButtonColors& colors, bool rounded, int line = 1);

// Where the caption is centred: the face shrunk by a line.
ui::Rect CaptionArea(const ui::Rect& face, int line = 1);
// Where the dotted focus rectangle goes: two lines inside the face.
ui::Rect FocusRect(const ui::Rect& face, int line = 1);

// The caption's top-left corner when centred in the area.
ui::Point CaptionOrigin(const ui::Rect& area, ui::Size text);

}  // namespace widgets
