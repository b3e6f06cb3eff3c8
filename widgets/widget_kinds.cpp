#include "widgets/widget_kinds.h"

#include <cctype>

#include <limits>
#include <memory>
#include <string>

#include "widgets/gradient_background.h"
#include "widgets/gradient_button.h"
#include "widgets/gradient_panel.h"
#include "widgets/level_progress_bar.h"

namespace widgets {

namespace {

// Reads an optional property with a parser and hands it to a setter.
template <typename Parse, typename Apply>
void Read(ui::PropertyReader& properties, const char* key, Parse parse, Apply apply) {
    if (const ui::LayoutProperty* property = properties.Take(key)) {
        apply(parse(*property));
    }
}

// A word from a fixed set of names, or a layout error naming the line and
// listing the set in table order (each table below is alphabetical).
template <typename T, std::size_t N>
T ParseWord(const ui::LayoutProperty& property, const ui::NamedValue<T> (&words)[N]) {
    const T* found = ui::FindNamed(property.value, words);
    if (found == nullptr) {
        std::string names;
        for (const ui::NamedValue<T>& word : words) {
            names += (names.empty() ? "" : ", ") + std::string(word.name);
        }
        throw ui::LayoutError("layout line " + std::to_string(property.line) + ": " + property.key +
                              ": expected one of " + names);
    }
    return *found;
}

std::unique_ptr<ui::Control> MakeButton(ui::PropertyReader& p, const ui::HandlerTable& handlers) {
    auto button = std::make_unique<GradientButton>(p.component().name);
    GradientButton& b = *button;
    using ui::ParseBool;
    using ui::ParseColor;
    Read(p, "caption", ui::ParseText, [&](const std::string& v) { b.SetCaption(v); });
    Read(p, "color", ParseColor, [&](ui::Color c) { b.SetColor(c); });
    Read(p, "colorTo", ParseColor, [&](ui::Color c) { b.SetColorTo(c); });
    Read(p, "colorHot", ParseColor, [&](ui::Color c) { b.SetColorHot(c); });
    Read(p, "colorHotTo", ParseColor, [&](ui::Color c) { b.SetColorHotTo(c); });
    Read(p, "colorDown", ParseColor, [&](ui::Color c) { b.SetColorDown(c); });
    Read(p, "colorDownTo", ParseColor, [&](ui::Color c) { b.SetColorDownTo(c); });
    Read(p, "borderColor", ParseColor, [&](ui::Color c) { b.SetBorderColor(c); });
    Read(p, "borderHotColor", ParseColor, [&](ui::Color c) { b.SetBorderHotColor(c); });
    Read(p, "borderDownColor", ParseColor, [&](ui::Color c) { b.SetBorderDownColor(c); });
    Read(p, "rounded", ParseBool, [&](bool v) { b.SetRounded(v); });
    Read(p, "flat", ParseBool, [&](bool v) { b.SetFlat(v); });
    Read(p, "shaded", ParseBool, [&](bool v) { b.SetShaded(v); });
    Read(p, "showCaption", ParseBool, [&](bool v) { b.SetShowCaption(v); });
    Read(p, "autoThemeAdapt", ParseBool, [&](bool v) { b.SetAutoThemeAdapt(v); });
    Read(p, "accessKey", ui::ParseText, [&](const std::string& v) {
        b.SetAccessKey(
            v.empty() ? 0 : static_cast<char>(std::toupper(static_cast<unsigned char>(v[0]))));
    });
    Read(p, "default", ParseBool, [&](bool v) { b.SetDefault(v); });
    Read(p, "cancel", ParseBool, [&](bool v) { b.SetCancel(v); });
    if (const ui::LayoutProperty* property = p.Take("OnClick")) {
        b.onClick = ui::ResolveHandler(*property, handlers);
    }
    return button;
}

std::unique_ptr<ui::Control> MakeBar(ui::PropertyReader& p, const ui::HandlerTable&) {
    auto bar = std::make_unique<LevelProgressBar>(p.component().name);
    LevelProgressBar& b = *bar;
    using ui::ParseBool;
    using ui::ParseColor;
    using ui::ParseInt;
    Read(p, "min", ParseInt, [&](int v) { b.SetMin(v); });
    Read(p, "max", ParseInt, [&](int v) { b.SetMax(v); });
    Read(p, "position", ParseInt, [&](int v) { b.SetPosition(v); });
    for (int level = 0; level < LevelProgressBar::kLevels; ++level) {
        const std::string name = "level" + std::to_string(level) + "Color";
        Read(p, name.c_str(), ParseColor, [&](ui::Color c) { b.SetLevelColor(level, c); });
        Read(p, (name + "To").c_str(), ParseColor,
             [&](ui::Color c) { b.SetLevelColorTo(level, c); });
    }
    Read(p, "level1Perc", ParseInt, [&](int v) { b.SetLevel1Perc(v); });
    Read(p, "level2Perc", ParseInt, [&](int v) { b.SetLevel2Perc(v); });
    Read(p, "backgroundColor", ParseColor, [&](ui::Color c) { b.SetBackgroundColor(c); });
    Read(p, "borderColor", ParseColor, [&](ui::Color c) { b.SetBorderColor(c); });
    Read(p, "showBorder", ParseBool, [&](bool v) { b.SetShowBorder(v); });
    Read(p, "rounded", ParseBool, [&](bool v) { b.SetRounded(v); });
    Read(p, "showGradient", ParseBool, [&](bool v) { b.SetShowGradient(v); });
    Read(p, "steps", ParseInt, [&](int v) { b.SetSteps(v); });
    Read(p, "completionSmooth", ParseBool, [&](bool v) { b.SetCompletionSmooth(v); });
    Read(p, "showPosition", ParseBool, [&](bool v) { b.SetShowPosition(v); });
    Read(p, "showPercentage", ParseBool, [&](bool v) { b.SetShowPercentage(v); });
    static constexpr ui::NamedValue<BarOrientation> kOrientations[] = {
        {"horizontal", BarOrientation::Horizontal}, {"vertical", BarOrientation::Vertical}};
    if (const ui::LayoutProperty* property = p.Take("orientation")) {
        b.SetOrientation(ParseWord(*property, kOrientations));
    }
    return bar;
}

std::unique_ptr<ui::Control> MakePanel(ui::PropertyReader& p, const ui::HandlerTable&) {
    auto panel = std::make_unique<GradientPanel>(p.component().name);
    GradientPanel& g = *panel;
    using ui::ParseColor;
    static constexpr ui::NamedValue<Bevel> kBevels[] = {
        {"lowered", Bevel::Lowered},
        {"none", Bevel::None},
        {"raised", Bevel::Raised},
        {"space", Bevel::Space},
    };
    static constexpr ui::NamedValue<GradientPanel::Direction> kDirections[] = {
        {"gdHorizontal", GradientPanel::Direction::Horizontal},
        {"gdVertical", GradientPanel::Direction::Vertical},
    };
    Read(p, "colorTo", ParseColor, [&](ui::Color c) { g.SetColorTo(c); });
    Read(p, "colorMirror", ParseColor, [&](ui::Color c) { g.SetColorMirror(c); });
    Read(p, "colorMirrorTo", ParseColor, [&](ui::Color c) { g.SetColorMirrorTo(c); });
    if (const ui::LayoutProperty* property = p.Take("gradientDirection")) {
        g.SetGradientDirection(ParseWord(*property, kDirections));
    }
    if (const ui::LayoutProperty* property = p.Take("bevelOuter")) {
        g.SetBevelOuter(ParseWord(*property, kBevels));
    }
    if (const ui::LayoutProperty* property = p.Take("bevelInner")) {
        g.SetBevelInner(ParseWord(*property, kBevels));
    }
    Read(p, "bevelWidth", ui::ParseInt, [&](int v) { g.SetBevelWidth(v); });
    Read(p, "borderColor", ParseColor, [&](ui::Color c) { g.SetBorderColor(c); });
    Read(p, "borderWidth", ui::ParseInt, [&](int v) { g.SetBorderWidth(v); });
    Read(p, "buffered", ui::ParseBool, [&](bool v) { g.SetBuffered(v); });
    return panel;
}

std::unique_ptr<ui::Control> MakeBackground(ui::PropertyReader& p, const ui::HandlerTable&) {
    auto background = std::make_unique<GradientBackground>(p.component().name);
    GradientBackground& g = *background;
    static constexpr ui::NamedValue<GradientStyle> kStyles[] = {
        {"grEllipse", GradientStyle::grEllipse},       {"grFilled", GradientStyle::grFilled},
        {"grHorizontal", GradientStyle::grHorizontal}, {"grMount", GradientStyle::grMount},
        {"grPyramid", GradientStyle::grPyramid},       {"grVertical", GradientStyle::grVertical},
    };
    if (const ui::LayoutProperty* property = p.Take("style")) {
        g.SetStyle(ParseWord(*property, kStyles));
    }
    Read(p, "startColor", ui::ParseColor, [&](ui::Color c) { g.SetStartColor(c); });
    Read(p, "endColor", ui::ParseColor, [&](ui::Color c) { g.SetEndColor(c); });
    if (const ui::LayoutProperty* property = p.Take("steps")) {
        const int steps = ui::ParseInt(*property);
        if (steps < 0 || steps > std::numeric_limits<std::uint16_t>::max()) {
            throw ui::LayoutError("layout line " + std::to_string(property->line) +
                                  ": steps: expected 0 to 65535");
        }
        g.SetSteps(static_cast<std::uint16_t>(steps));
    }
    return background;
}

}  // namespace

void AddWidgetKinds(ui::ComponentKinds& kinds) {
    kinds["GradientButton"] = MakeButton;
    kinds["LevelProgressBar"] = MakeBar;
    kinds["GradientPanel"] = MakePanel;
    kinds["GradientBackground"] = MakeBackground;
}

}  // namespace widgets
