#include "widgets/widget_kinds.h"

#include <gtest/gtest.h>

#include "tests/unit/widget_pixels.h"
#include "ui/headless/headless_ui.h"
#include "widgets/gradient_background.h"
#include "widgets/gradient_button.h"
#include "widgets/gradient_panel.h"
#include "widgets/level_progress_bar.h"

namespace {

const char kLayout[] = R"(
[Progress]
kind = Form
client = 447 170

[GradPanel2]
kind = GradientPanel
parent = Progress
bounds = 0 0 447 41
align = bottom
color = clRed
colorTo = clMaroon
bevelOuter = raised
gradientDirection = gdVertical
font = "Tahoma" -13 bold clWhite

[btnCancel]
kind = GradientButton
parent = GradPanel2
bounds = 267 6 114 26
caption = "Cancel"
color = clRed
colorTo = clBlack
colorDown = rgb(233, 140, 1)
colorDownTo = clRed
colorHot = clRed
colorHotTo = 101609
rounded = true
autoThemeAdapt = false
OnClick = btnCancelClick

[GradPanel1]
kind = GradientPanel
parent = Progress
align = client
color = clRed
colorTo = clMaroon
colorMirrorTo = clMaroon

[Background]
kind = GradientBackground
parent = GradPanel1
style = grPyramid
startColor = clMaroon
endColor = clRed
steps = 0

[pbar]
kind = LevelProgressBar
parent = GradPanel1
bounds = 8 92 433 18
max = 1000
position = 420
level1Perc = 70
level2Perc = 90
level3ColorTo = rgb(255, 202, 202)
showBorder = true
orientation = horizontal
font = "Verdana" -13
)";

template <typename T>
T& Find(ui::Form& form, const std::string& name) {
    auto* control = dynamic_cast<T*>(form.Find(name));
    if (control == nullptr) {
        throw std::runtime_error("no " + name);
    }
    return *control;
}

}  // namespace

TEST(WidgetKinds, LayoutsDeclareTheWidgetsWithPropertiesAndHandlers) {
    ui::ComponentKinds kinds;
    widgets::AddWidgetKinds(kinds);
    int cancels = 0;
    ui::Form form("Progress");
    ui::ApplyLayout(form, ui::ParseLayout(kLayout), kinds,
                    {{"btnCancelClick", [&cancels] { ++cancels; }}});

    auto& bottom = Find<widgets::GradientPanel>(form, "GradPanel2");
    EXPECT_EQ(bottom.bounds(), (ui::Rect{0, 129, 447, 170}));
    EXPECT_EQ(bottom.color(), ui::colors::kRed);
    EXPECT_EQ(bottom.bevelOuter(), widgets::Bevel::Raised);
    auto& top = Find<widgets::GradientPanel>(form, "GradPanel1");
    EXPECT_EQ(top.bounds(), (ui::Rect{0, 0, 447, 129}));
    EXPECT_EQ(top.colorMirrorTo(), ui::colors::kMaroon);
    EXPECT_TRUE(top.colorMirror().isNone());

    auto& cancel = Find<widgets::GradientButton>(form, "btnCancel");
    EXPECT_EQ(cancel.caption(), "Cancel");
    EXPECT_TRUE(cancel.rounded());
    EXPECT_EQ(cancel.colors().colorDown, ui::Color::Rgb(233, 140, 1));
    EXPECT_EQ(cancel.colors().colorHotTo, ui::Color::Rgb(233, 140, 1));
    EXPECT_TRUE(cancel.colors().borderHotColor.isNone());
    EXPECT_EQ(cancel.font().height, -13) << "the panel's font";
    ASSERT_TRUE(cancel.onClick);
    cancel.onClick();
    EXPECT_EQ(cancels, 1);

    auto& background = Find<widgets::GradientBackground>(form, "Background");
    EXPECT_EQ(background.style(), widgets::GradientStyle::grPyramid);
    EXPECT_EQ(background.steps(), 0);
    EXPECT_EQ(background.bounds(), (ui::Rect{0, 0, 447, 129}));

    auto& bar = Find<widgets::LevelProgressBar>(form, "pbar");
    EXPECT_EQ(bar.max(), 1000);
    EXPECT_EQ(bar.position(), 420);
    EXPECT_EQ(bar.Percentage(), 42);
    EXPECT_EQ(bar.font().face, "Verdana");
}

TEST(WidgetKinds, UnknownWordsAndValuesAreLayoutErrors) {
    ui::ComponentKinds kinds;
    widgets::AddWidgetKinds(kinds);
    const auto load = [&](const std::string& component) {
        ui::Form form("F");
        ui::ApplyLayout(form, ui::ParseLayout("[F]\nkind = Form\n" + component), kinds, {});
    };
    EXPECT_THROW(load("[b]\nkind = GradientBackground\nparent = F\nstyle = grDiagonal\n"),
                 ui::LayoutError);
    EXPECT_THROW(load("[b]\nkind = GradientBackground\nparent = F\nsteps = 70000\n"),
                 ui::LayoutError);
    EXPECT_THROW(load("[p]\nkind = GradientPanel\nparent = F\nbevelOuter = bumpy\n"),
                 ui::LayoutError);
    EXPECT_THROW(load("[b]\nkind = GradientButton\nparent = F\nOnClick = missing\n"),
                 ui::LayoutError);
    EXPECT_THROW(load("[b]\nkind = GradientButton\nparent = F\ncolour = clRed\n"), ui::LayoutError);
    EXPECT_NO_THROW(load("[b]\nkind = LevelProgressBar\nparent = F\norientation = vertical\n"));
    try {
        load("[p]\nkind = GradientPanel\nparent = F\nbevelInner = bumpy\n");
        ADD_FAILURE() << "bevelInner = bumpy was accepted";
    } catch (const ui::LayoutError& error) {
        EXPECT_STREQ(error.what(),
                     "layout line 6: bevelInner: expected one of lowered, none, raised, space");
    }
}
