#include "widgets/gradient_button.h"

#include "ui/dpi.h"
#include "ui/form.h"
#include "widgets/bevel.h"
#include "widgets/gradient.h"
#include "widgets/set_property.h"

namespace widgets {

namespace {

// The keyboard cues of the button's window; none while it is on no form.
ui::KeyboardCues CuesOf(ui::Control& control) {
    const ui::Form* form = ui::FormOf(control);
    return form != nullptr ? form->keyboardCues() : ui::KeyboardCues{};
}

// A rectangle's outline `line` pixels thick, inward, in the pen's colour.
void Outline(ui::Canvas& canvas, const ui::Rect& rect, ui::Color color, int line) {
    canvas.SetBrush(ui::Color::None());
    canvas.SetPen(color, 1);
    for (int i = 0; i < line; ++i) {
        canvas.Rectangle(rect.Inflate(-i));
    }
}

// A focus rectangle as push buttons have it: every other pixel of the
// outline, starting at the top-left corner.
void DrawDottedRect(ui::Canvas& canvas, const ui::Rect& rect, ui::Color color) {
    canvas.SetBrush(color);
    const auto dot = [&](int x, int y) {
        if ((x - rect.left + y - rect.top) % 2 == 0) {
            canvas.FillRect(ui::Rect::FromSize(x, y, 1, 1));
        }
    };
    for (int x = rect.left; x < rect.right; ++x) {
        dot(x, rect.top);
        dot(x, rect.bottom - 1);
    }
    for (int y = rect.top + 1; y < rect.bottom - 1; ++y) {
        dot(rect.left, y);
        dot(rect.right - 1, y);
    }
}

}  // namespace

GradientButton::GradientButton(std::string name) : PushButton(std::move(name)) {
    SetSize(22, 23);
}

void GradientButton::SetColor(ui::Color color) {
    if (StoreIfChanged(colors_.color, color)) {
        Invalidate();
    }
}

void GradientButton::SetColorTo(ui::Color color) {
    if (StoreIfChanged(colors_.colorTo, color)) {
        Invalidate();
    }
}

void GradientButton::SetBorderColor(ui::Color color) {
    if (StoreIfChanged(colors_.borderColor, color)) {
        Invalidate();
    }
}

void GradientButton::SetRounded(bool rounded) {
    if (StoreIfChanged(rounded_, rounded)) {
        Invalidate();
    }
}

void GradientButton::SetFlat(bool flat) {
    if (StoreIfChanged(flat_, flat)) {
        Invalidate();
    }
}

void GradientButton::SetShowCaption(bool show) {
    if (StoreIfChanged(showCaption_, show)) {
        Invalidate();
    }
}

void GradientButton::SetAutoThemeAdapt(bool adapt) {
    if (StoreIfChanged(autoThemeAdapt_, adapt)) {
        Invalidate();
    }
}

void GradientButton::EnabledChanged() {
    // A disabled button is neither pressed nor hot; enabled again, it is up.
    if (!enabled()) {
        state_ = ButtonState::Disabled;
        mouseInControl_ = false;
        pressedOnButton_ = false;
    } else if (state_ == ButtonState::Disabled) {
        state_ = ButtonState::Up;
    }
}

bool GradientButton::Inside(ui::Point at) const {
    return ui::Rect::FromSize(0, 0, width(), height()).Contains(at);
}

void GradientButton::SetState(ButtonState state) {
    if (StoreIfChanged(state_, state)) {
        Invalidate();
    }
}

void GradientButton::SetHot(bool hot) {
    if (StoreIfChanged(mouseInControl_, hot)) {
        Invalidate();
    }
}

// The window routes no enter or leave to any control while one holds the
// mouse capture, so an enter here means no press or drag is under way.
void GradientButton::MouseEnter() {
    if (enabled()) {
        SetHot(true);
    }
}

void GradientButton::MouseLeave() {
    SetHot(false);
}

void GradientButton::MouseDown(ui::MouseButton button, ui::Point) {
    if (button != ui::MouseButton::Left || !enabled()) {
        return;
    }
    pressedOnButton_ = true;
    SetState(ButtonState::Down);
}

void GradientButton::MouseMove(ui::Point at) {
    if (pressedOnButton_) {
        SetState(Inside(at) ? ButtonState::Down : ButtonState::Up);
    }
}

void GradientButton::MouseUp(ui::MouseButton button, ui::Point at) {
    if (button != ui::MouseButton::Left || !pressedOnButton_) {
        return;
    }
    pressedOnButton_ = false;
    const bool inside = Inside(at);
    state_ = ButtonState::Up;
    mouseInControl_ = false;
    if (inside) {
        Invalidate();
        // A handler may replace this button's own handler (a pause button
        // becomes a resume button), which would destroy the function while
        // it runs; a copy keeps it alive until it returns.
        if (const auto handler = onClick) {
            handler();
        }
    }
    // As if the mouse had just entered or left: the handler may have moved
    // or hidden the button.
    const auto cursor = CursorPosition();
    SetHot(enabled() && Showing() && cursor.has_value() && Inside(*cursor));
    Invalidate();
}

ButtonLook GradientButton::CurrentLook() const {
    const ButtonState state = enabled() ? state_ : ButtonState::Disabled;
    return ChooseButtonLook(autoThemeAdapt_ ? ThemeButtonColors() : colors_, {rounded_, flat_},
                            state, mouseInControl_);
}

void GradientButton::PaintFace(ui::Canvas& canvas, const ButtonLook& look, const ui::Rect& face,
                               int line) {
    if (look.bottom.isNone()) {
        // Outlined in its own colour when no outline colour is set: the
        // same pixels as a plain fill.
        canvas.SetBrush(look.top);
        canvas.SetPen(look.outline.isNone() ? look.top : look.outline, 1);
        canvas.Rectangle(face);
        if (line > 1 && !look.outline.isNone()) {
            Outline(canvas, face, look.outline, line);
        }
        return;
    }
    PaintBands(canvas, FaceBands(face.top, face.bottom, look.top, look.bottom), face,
               Axis::Vertical);
    if (!look.outline.isNone()) {
        Outline(canvas, face, look.outline, line);
    }
}

void GradientButton::PaintCaption(ui::Canvas& canvas, const ui::Rect& area, int line) {
    canvas.SetFont(font());
    canvas.SetTextBackground(ui::Color::None());
    const ui::Size extent = canvas.TextExtent(caption());
    const ui::Point at = CaptionOrigin(area, extent);
    const int underlined = CuesOf(*this).accelerators ? AccessKeyIndex() : -1;
    // The access key's underline: under its letter, a line above the cell's foot.
    const auto underline = [&](int x, int y) {
        const std::string before = caption().substr(0, static_cast<std::size_t>(underlined));
        const int left = x + canvas.TextExtent(before).width;
        const int width = canvas.TextExtent(caption().substr(before.size(), 1)).width;
        canvas.SetBrush(canvas.CurrentFont().color);
        canvas.FillRect(ui::Rect::FromSize(left, y + extent.height - 2 * line, width, line));
    };
    if (!enabled()) {
        ui::Font etched = font();
        etched.color = ui::Color::System(ui::SystemColor::BtnHighlight);
        canvas.SetFont(etched);
        canvas.TextOut(at.x + line, at.y + line, caption());
        if (underlined >= 0) {
            underline(at.x + line, at.y + line);
        }
        etched.color = ui::Color::System(ui::SystemColor::BtnShadow);
        canvas.SetFont(etched);
    }
    canvas.TextOut(at.x, at.y, caption());
    if (underlined >= 0) {
        underline(at.x, at.y);
    }
}

void GradientButton::Paint(ui::Canvas& canvas) {
    const ui::Rect whole = ui::Rect::FromSize(0, 0, width(), height());
    const ButtonColors& colors = autoThemeAdapt_ ? ThemeButtonColors() : colors_;
    const ButtonLook look = CurrentLook();
    // Sizes scale with the window's dpi; lines stay whole pixels (ui/dpi.h).
    const int dpi = ui::DpiOf(*this);
    const int line = ui::LineWidth(dpi);
    const int corner = ui::ScaleLength(8, dpi);
    const ui::Rect face = ButtonFace(whole, colors, rounded_, line);
    PaintFace(canvas, look, face, line);
    if (look.roundedOutline && !look.roundedOutlineColor.isNone()) {
        canvas.SetBrush(ui::Color::None());
        canvas.SetPen(look.roundedOutlineColor, 1);
        for (int i = 1; i <= line; ++i) {
            canvas.RoundRect(face.Inflate(i), corner, corner);
        }
    }
    if (look.frame) {
        PaintBevel(canvas, whole, look.frameLowered ? Bevel::Lowered : Bevel::Raised, line);
    }
    if (showCaption_ && !caption().empty()) {
        PaintCaption(canvas, CaptionArea(face, line), line);
    }
    const ui::Form* form = ui::FormOf(*this);
    if (form != nullptr && form->activeControl() == this && form->keyboardCues().focus) {
        DrawDottedRect(canvas, FocusRect(face, line), font().color);
    }
}

}  // namespace widgets
