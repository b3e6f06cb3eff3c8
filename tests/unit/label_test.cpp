#include "ui/label.h"

#include <gtest/gtest.h>

#include "ui/headless/headless_ui.h"
#include "ui/headless/pixel_canvas.h"
#include "widget_pixels.h"

using ui::Label;
using widget_pixels::kUnder;

namespace {

// Headless metrics: Tahoma -11 advances 7 pixels in a 13-pixel cell; -13
// bold advances 9 in a 15-pixel cell.
const ui::Font kPanelFont{"Tahoma", -13, true, false, ui::colors::kWhite};

class LabelTest : public ::testing::Test {
  protected:
    ~LabelTest() override { ui::headless::SetVisualStyles(true); }
};

}  // namespace

TEST_F(LabelTest, SizesItselfToItsTextInTheFontInEffect) {
    ui::Container panel("panel");
    auto& label = panel.Add(std::make_unique<Label>("lb"));
    label.SetCaption("Files: 3");
    EXPECT_EQ(label.bounds(), ui::Rect::FromSize(0, 0, 8 * 7, 13));  // the default font

    panel.SetFont(kPanelFont);  // inherited: the label follows its parent
    EXPECT_EQ(label.width(), 8 * 9);
    EXPECT_EQ(label.height(), 15);

    label.SetBounds(ui::Rect::FromSize(5, 6, 1, 1));  // a size from outside gives way
    EXPECT_EQ(label.bounds(), ui::Rect::FromSize(5, 6, 8 * 9, 15));

    label.SetCaption("");  // a line high, nothing wide
    EXPECT_EQ(label.width(), 0);
    EXPECT_EQ(label.height(), 15);
}

TEST_F(LabelTest, ALabelMadeBeforeItsParentTakesTheParentsFontWhenAdded) {
    ui::Container panel("panel");
    panel.SetFont(kPanelFont);
    auto label = std::make_unique<Label>("lb");
    label->SetCaption("abc");
    EXPECT_EQ(label->width(), 3 * 7);
    Label& added = panel.Add(std::move(label));
    EXPECT_EQ(added.width(), 3 * 9);
}

TEST_F(LabelTest, ACharacterIsOneUtf16UnitAsGdiCountsThemNotOneByte) {
    struct Case {
        const char* text;
        int units;
    };
    for (const Case& c : {Case{"Vantrel\u00AE", 8}, Case{"c:\\\u0142\u00F3d\u017A", 7},
                          Case{"\u738B\u4F1F", 2}, Case{"\U0001F600", 2}}) {
        Label label("lb");
        label.SetFont(kPanelFont);
        label.SetCaption(c.text);
        EXPECT_EQ(label.width(), c.units * 9) << c.text;
    }
    Label label("lb");
    label.SetFont(kPanelFont);
    label.SetCaption("\u00AE \u4F1F");  // a stroke, a blank cell, a stroke
    const auto pixels = widget_pixels::PaintAlone(label);
    EXPECT_EQ(pixels.At(4, 7), ui::colors::kWhite);
    EXPECT_EQ(pixels.At(9 + 4, 7), kUnder);
    EXPECT_EQ(pixels.At(18 + 4, 7), ui::colors::kWhite);
}

TEST_F(LabelTest, FillsItsColourOnlyWhileVisualStylesAreOff) {
    struct Case {
        bool styles;
        ui::Color color;
        ui::Color background;
    };
    for (const Case& c :
         {Case{true, ui::colors::kRed, kUnder}, Case{false, ui::colors::kRed, ui::colors::kRed},
          Case{false, ui::Color::None(), kUnder}}) {
        ui::headless::SetVisualStyles(c.styles);
        Label label("lb");
        label.SetFont(kPanelFont);
        label.SetColor(c.color);
        label.SetCaption("a b");
        const auto pixels = widget_pixels::PaintAlone(label);
        // The blank's cell shows the background; the letters' strokes are white.
        EXPECT_EQ(pixels.At(9 + 4, 7), c.background) << c.styles;
        EXPECT_EQ(pixels.At(4, 7), ui::colors::kWhite);
        EXPECT_EQ(pixels.At(9 + 4, 14), c.background);
    }
}

TEST_F(LabelTest, ALayoutPlacesALabelAndTheTextDecidesItsSize) {
    ui::ComponentKinds kinds;
    ui::AddLabelKind(kinds);
    ui::Form form("F");
    ui::ApplyLayout(form, ui::ParseLayout(R"([F]
kind = Form
font = "Tahoma" -13 bold clWhite
[lbStage]
kind = Label
parent = F
at = 8 10
caption = "Initializing . . ."
color = clRed
)"),
                    kinds, {});
    auto* label = dynamic_cast<Label*>(form.Find("lbStage"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->bounds(), ui::Rect::FromSize(8, 10, 18 * 9, 15));
    EXPECT_EQ(label->caption(), "Initializing . . .");
    EXPECT_EQ(label->color(), ui::colors::kRed);
}
