#include <gtest/gtest.h>

#include <set>

#include "tests/unit/widget_pixels.h"
#include "ui/form.h"
#include "ui/headless/headless_ui.h"
#include "widgets/gradient_button.h"

using ui::Color;
using widget_pixels::kUnder;
using widget_pixels::PaintAlone;
using widgets::GradientButton;

namespace {

constexpr Color kOrange = Color::Rgb(233, 140, 1);

// The main window's look: red to maroon, maroon to black under the mouse,
// flat light grey while pressed.
std::unique_ptr<GradientButton> MainWindowButton() {
    auto button = std::make_unique<GradientButton>("btnSetup");
    button->SetSize(73, 22);
    button->SetCaption("Setup");
    button->SetFont({"Tahoma", -15, true, false, ui::colors::kWhite});
    button->SetColor(ui::colors::kRed);
    button->SetColorTo(ui::colors::kMaroon);
    button->SetColorHot(ui::colors::kMaroon);
    button->SetColorHotTo(ui::colors::kBlack);
    button->SetColorDown(Color::Rgb(210, 211, 216));
    return button;
}

// The progress window's look: rounded, red to black, red to orange under
// the mouse, orange to red while pressed.
std::unique_ptr<GradientButton> ProgressButton() {
    auto button = std::make_unique<GradientButton>("btnCancel");
    button->SetSize(114, 26);
    button->SetCaption("Cancel");
    button->SetFont({"Tahoma", -13, true, false, ui::colors::kWhite});
    button->SetColor(ui::colors::kRed);
    button->SetColorTo(ui::colors::kBlack);
    button->SetColorHot(ui::colors::kRed);
    button->SetColorHotTo(kOrange);
    button->SetColorDown(kOrange);
    button->SetColorDownTo(ui::colors::kRed);
    button->SetRounded(true);
    return button;
}

void Hover(GradientButton& button) {
    button.MouseEnter();
}

void Press(GradientButton& button) {
    button.MouseEnter();
    button.MouseDown(ui::MouseButton::Left, {5, 5});
}

}  // namespace

TEST(GradientButtonPaint, IdleFaceFadesInSixteenBandsInsideAnUntouchedRing) {
    auto button = MainWindowButton();
    const auto pixels = PaintAlone(*button);
    EXPECT_EQ(pixels.At(0, 10), kUnder);
    EXPECT_EQ(pixels.At(72, 10), kUnder);
    EXPECT_EQ(pixels.At(30, 0), kUnder);
    EXPECT_EQ(pixels.At(1, 1), ui::colors::kRed);
    EXPECT_EQ(pixels.At(71, 20), Color::Rgb(136, 0, 0));
    // The last band is nearest(1.25) + 1 rows long and reaches one row past
    // the face, onto the button's bottom edge.
    EXPECT_EQ(pixels.At(5, 21), Color::Rgb(136, 0, 0));
    std::set<std::uint32_t> colours;
    for (int y = 1; y < 22; ++y) {
        colours.insert(pixels.At(5, y).packed());
    }
    EXPECT_EQ(colours.size(), 16u);
}

TEST(GradientButtonPaint, HotAndPressedColoursOfTheMainWindowButtons) {
    auto hot = MainWindowButton();
    Hover(*hot);
    const auto hotPixels = PaintAlone(*hot);
    EXPECT_EQ(hotPixels.At(5, 1), ui::colors::kMaroon);
    EXPECT_EQ(hotPixels.At(5, 20), Color::Rgb(8, 0, 0));
    EXPECT_EQ(hotPixels.At(0, 0), kUnder);

    // No ColorDownTo: the pressed face is flat, exactly the face.
    auto pressed = MainWindowButton();
    Press(*pressed);
    const auto down = PaintAlone(*pressed);
    for (int y = 1; y < 21; ++y) {
        EXPECT_EQ(down.At(1, y), Color::Rgb(210, 211, 216)) << y;
        EXPECT_EQ(down.At(71, y), Color::Rgb(210, 211, 216)) << y;
    }
    EXPECT_EQ(down.At(5, 21), kUnder);
    EXPECT_EQ(down.At(0, 10), kUnder);
}

TEST(GradientButtonPaint, RoundedButtonsWithoutBorderColoursHaveNoOutlineInAnyState) {
    for (int state = 0; state < 3; ++state) {
        auto button = ProgressButton();
        if (state == 1) {
            Hover(*button);
        } else if (state == 2) {
            Press(*button);
        }
        const auto pixels = PaintAlone(*button);
        for (int x = 0; x < 114; ++x) {
            EXPECT_EQ(pixels.At(x, 0), kUnder) << "state " << state << " x " << x;
        }
        for (int y = 0; y < 25; ++y) {
            EXPECT_EQ(pixels.At(0, y), kUnder) << "state " << state << " y " << y;
            EXPECT_EQ(pixels.At(113, y), kUnder) << "state " << state << " y " << y;
        }
    }
    auto hot = ProgressButton();
    Hover(*hot);
    EXPECT_EQ(PaintAlone(*hot).At(3, 24), Color::Rgb(234, 131, 1));  // 15/16 toward orange
    auto pressed = ProgressButton();
    Press(*pressed);
    const auto down = PaintAlone(*pressed);
    EXPECT_EQ(down.At(3, 1), kOrange);
    EXPECT_EQ(down.At(3, 24), Color::Rgb(254, 9, 0));
}

TEST(GradientButtonPaint, RoundedOutlineInTheHotBorderColour) {
    auto button = ProgressButton();
    button->SetBorderHotColor(ui::colors::kYellow);
    Hover(*button);
    const auto pixels = PaintAlone(*button);
    EXPECT_EQ(pixels.At(0, 0), kUnder);
    EXPECT_EQ(pixels.At(1, 0), kUnder);
    EXPECT_EQ(pixels.At(2, 0), ui::colors::kYellow);
    EXPECT_EQ(pixels.At(1, 1), ui::colors::kYellow);
    EXPECT_EQ(pixels.At(0, 12), ui::colors::kYellow);
    EXPECT_EQ(pixels.At(113, 12), ui::colors::kYellow);
    EXPECT_EQ(pixels.At(50, 25), ui::colors::kYellow);
}

TEST(GradientButtonPaint, CaptionStaysPutAcrossStatesAndIsEtchedWhenDisabled) {
    // Headless Tahoma -15 bold: 10-pixel advance, 18-pixel cell; "Setup" is
    // centred in the 69 x 18 caption area at (11, 2), strokes in the middle
    // of each advance from row 5 to row 14.
    for (int state = 0; state < 3; ++state) {
        auto button = MainWindowButton();
        if (state == 1) {
            Hover(*button);
        } else if (state == 2) {
            Press(*button);
        }
        const auto pixels = PaintAlone(*button);
        EXPECT_EQ(pixels.At(16, 5), ui::colors::kWhite) << state;
        EXPECT_EQ(pixels.At(56, 14), ui::colors::kWhite) << state;
        EXPECT_NE(pixels.At(15, 10), ui::colors::kWhite) << state;
    }
    auto disabled = MainWindowButton();
    disabled->SetEnabled(false);
    const auto pixels = PaintAlone(*disabled);
    EXPECT_EQ(pixels.At(16, 5), ui::ResolveColor(Color::System(ui::SystemColor::BtnShadow)));
    EXPECT_EQ(pixels.At(17, 15), ui::ResolveColor(Color::System(ui::SystemColor::BtnHighlight)));
}

TEST(GradientButtonPaint, WideCaptionIsCentredAndClippedAtTheEdges) {
    ui::Form form("Form");
    form.SetClientSize(200, 40);
    form.SetColor(kUnder);
    auto& button = form.Add(MainWindowButton());
    button.SetBounds(ui::Rect::FromSize(60, 10, 73, 22));
    button.SetCaption("Installation");  // 120 pixels in a 69-pixel area
    const auto pixels = ui::headless::Render(form);
    for (int y = 0; y < 40; ++y) {
        EXPECT_EQ(pixels.At(59, y), kUnder) << y;
        EXPECT_EQ(pixels.At(133, y), kUnder) << y;
    }
    // Centred: the first stroke would be at 62 + (69 - 120) / 2 + 5 = 42,
    // outside; the strokes that fall inside are one advance apart.
    EXPECT_EQ(pixels.At(62, 20), ui::colors::kWhite);
    EXPECT_EQ(pixels.At(132, 20), ui::colors::kWhite);
}

TEST(GradientButtonPaint, ThemeAdaptedButtonsFollowTheSystemColours) {
    auto button = MainWindowButton();
    button->SetAutoThemeAdapt(true);
    EXPECT_EQ(PaintAlone(*button).At(5, 5),
              ui::ResolveColor(Color::System(ui::SystemColor::BtnFace)));
    Press(*button);
    EXPECT_EQ(PaintAlone(*button).At(5, 1),
              ui::ResolveColor(Color::System(ui::SystemColor::BtnShadow)));
}

TEST(GradientButtonPaint, ButtonsThatAreNotFlatGetARaisedFrameLoweredWhenPressed) {
    const Color light = ui::ResolveColor(Color::System(ui::SystemColor::BtnHighlight));
    const Color dark = ui::ResolveColor(Color::System(ui::SystemColor::BtnShadow));
    auto button = MainWindowButton();
    button->SetFlat(false);
    auto pixels = PaintAlone(*button);
    EXPECT_EQ(pixels.At(0, 0), light);
    EXPECT_EQ(pixels.At(72, 21), dark);
    Press(*button);
    pixels = PaintAlone(*button);
    EXPECT_EQ(pixels.At(0, 0), dark);
    EXPECT_EQ(pixels.At(72, 21), light);
}

TEST(GradientButtonPaint, SettingTheCurrentValueRequestsNoRepaint) {
    auto button = MainWindowButton();
    const int before = button->repaintRequests();
    button->SetCaption("Setup");
    button->SetColor(ui::colors::kRed);
    button->SetColorTo(ui::colors::kMaroon);
    button->SetBorderColor(Color::None());
    button->SetRounded(false);
    button->SetFont({"Tahoma", -15, true, false, ui::colors::kWhite});
    EXPECT_EQ(button->repaintRequests(), before);
    button->SetColorTo(ui::colors::kBlack);
    EXPECT_EQ(button->repaintRequests(), before + 1);
    // None is no colour, not black: changing between them is a change.
    button->SetBorderColor(ui::colors::kBlack);
    EXPECT_EQ(button->repaintRequests(), before + 2);
}
