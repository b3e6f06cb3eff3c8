#include "tests/acceptance/shared/widget_gallery.h"

#include <functional>
#include <tuple>

#include "widgets/gradient_background.h"
#include "widgets/gradient_button.h"
#include "widgets/gradient_panel.h"
#include "widgets/level_progress_bar.h"

namespace gallery {

namespace {

using ui::Color;
using ui::Rect;
using widgets::GradientButton;

constexpr Color kOrange = Color::Rgb(233, 140, 1);
constexpr Color kSlate = Color::Rgb(40, 56, 72);

enum class Look { Normal, Hot, Pressed };

// Shows a state the mouse is not in by running the button's own mouse
// handlers, as the window would on entering and pressing.
void Force(GradientButton& button, Look look) {
    if (look != Look::Normal) {
        button.MouseEnter();
    }
    if (look == Look::Pressed) {
        button.MouseDown(ui::MouseButton::Left, {1, 1});
    }
}

GradientButton& MainWindowButton(ui::Container& parent, const std::string& name,
                                 const std::string& caption, int left, int top) {
    auto& button = parent.Add(std::make_unique<GradientButton>(name));
    button.SetBounds(Rect::FromSize(left, top, 73, 22));
    button.SetCaption(caption);
    button.SetFont({"Tahoma", -15, true, false, ui::colors::kWhite});
    button.SetColor(ui::colors::kRed);
    button.SetColorTo(ui::colors::kMaroon);
    button.SetColorHot(ui::colors::kMaroon);
    button.SetColorHotTo(ui::colors::kBlack);
    button.SetColorDown(Color::Rgb(210, 211, 216));
    button.SetAutoThemeAdapt(false);
    return button;
}

// Takes the parent's font (the panel's Tahoma -13 bold white).
GradientButton& ProgressButton(ui::Container& parent, const std::string& name,
                               const std::string& caption, int left, int top) {
    auto& button = parent.Add(std::make_unique<GradientButton>(name));
    button.SetBounds(Rect::FromSize(left, top, 114, 26));
    button.SetCaption(caption);
    button.SetColor(ui::colors::kRed);
    button.SetColorTo(ui::colors::kBlack);
    button.SetColorHot(ui::colors::kRed);
    button.SetColorHotTo(kOrange);
    button.SetColorDown(kOrange);
    button.SetColorDownTo(ui::colors::kRed);
    button.SetRounded(true);
    button.SetAutoThemeAdapt(false);
    return button;
}

widgets::GradientPanel& ProgressPanel(ui::Container& parent, const std::string& name,
                                      const Rect& bounds) {
    auto& panel = parent.Add(std::make_unique<widgets::GradientPanel>(name));
    panel.SetBounds(bounds);
    panel.SetColor(ui::colors::kRed);
    panel.SetColorTo(ui::colors::kMaroon);
    panel.SetFont({"Tahoma", -13, true, false, ui::colors::kWhite});
    return panel;
}

// A page: a windowless container whose first child is its background.
ui::Container& Page(ui::Container& parent, const std::string& name, const Rect& bounds,
                    widgets::GradientStyle style) {
    auto& page = parent.Add(std::make_unique<ui::Container>(name));
    page.SetBounds(bounds);
    auto& background = page.Add(std::make_unique<widgets::GradientBackground>(name + "Back"));
    background.SetStyle(style);
    background.SetStartColor(ui::colors::kMaroon);
    background.SetEndColor(ui::colors::kRed);
    return page;
}

widgets::LevelProgressBar& Bar(ui::Container& parent, const std::string& name, int left, int top,
                               int percent) {
    auto& bar = parent.Add(std::make_unique<widgets::LevelProgressBar>(name));
    bar.SetBounds(Rect::FromSize(left, top, 433, 18));
    bar.SetFont({"Verdana", -13, false, false, Color::System(ui::SystemColor::WindowText)});
    bar.SetMax(100);
    bar.SetPosition(percent);
    return bar;
}

void LogClick(ui::Form& form, const std::string& what) {
    const std::string separator = form.caption() == kTitle ? ": " : " ";
    form.SetCaption(form.caption() + separator + what);
}

void BuildMainWindow(ui::Form& form) {
    auto& side = form.Add(std::make_unique<widgets::GradientPanel>("GradPanel1"));
    side.SetBounds({0, 0, 185, 400});
    side.SetColor(Color::FromPacked(19967));
    side.SetColorTo(ui::colors::kMaroon);
    side.SetBevelOuter(widgets::Bevel::None);
    side.SetFont({"Tahoma", -16, true, false, ui::colors::kWhite});

    auto& welcome = Page(form, "TabSheet1", Rect::FromSize(185, 0, 492, 390),
                         widgets::GradientStyle::grPyramid);
    auto& folder = Page(form, "TabSheet2", Rect::FromSize(185, 0, 492, 390),
                        widgets::GradientStyle::grVertical);
    folder.SetVisible(false);

    auto& setup = MainWindowButton(welcome, "btnSetup", "Setup", 102, 332);
    MainWindowButton(welcome, "btnCancel", "Cancel", 321, 332);
    setup.onClick = [&form, &welcome, &folder] {
        welcome.SetVisible(false);
        folder.SetVisible(true);
        LogClick(form, "Setup");
    };
    for (const auto& [name, caption, left, top] :
         {std::tuple{"btnBrowse", "Browse", 354, 37}, std::tuple{"btnInstall", "Install", 209, 341},
          std::tuple{"BtnCancel2", "Cancel", 343, 341}}) {
        auto& button = MainWindowButton(folder, name, caption, left, top);
        button.onClick = [&form, caption = std::string(caption)] { LogClick(form, caption); };
    }
}

// Pause hands its click to Resume and back, from inside its own handler, as
// the progress window does.
std::function<void()> PauseClick(ui::Form& form, GradientButton& button);

std::function<void()> ResumeClick(ui::Form& form, GradientButton& button) {
    return [&form, &button] {
        button.SetCaption("Pause");
        button.onClick = PauseClick(form, button);
        LogClick(form, "Resume");
    };
}

std::function<void()> PauseClick(ui::Form& form, GradientButton& button) {
    return [&form, &button] {
        button.SetCaption("Resume");
        button.onClick = ResumeClick(form, button);
        LogClick(form, "Pause");
    };
}

void BuildProgressWindow(ui::Form& form) {
    auto& upper = ProgressPanel(form, "GradPanel1p", Rect::FromSize(0, 410, 447, 129));
    upper.SetColorMirrorTo(ui::colors::kMaroon);
    Bar(upper, "pbar", 8, 92, 42);
    auto& lower = ProgressPanel(form, "GradPanel2p", Rect::FromSize(0, 539, 447, 41));
    auto& pause = ProgressButton(lower, "btnPause", "Pause", 54, 6);
    ProgressButton(lower, "btnCancelp", "Cancel", 267, 6);
    pause.onClick = PauseClick(form, pause);
}

void BuildStates(ui::Form& form) {
    auto& main = Page(form, "MainStates", Rect::FromSize(687, 0, 328, 120),
                      widgets::GradientStyle::grVertical);
    const std::pair<const char*, Look> looks[] = {
        {"Idle", Look::Normal}, {"Hot", Look::Hot}, {"Down", Look::Pressed}};
    int left = 18;
    for (const auto& [caption, look] : looks) {
        Force(MainWindowButton(main, std::string("main") + caption, caption, left, 49), look);
        left += 110;
    }
    auto& progress = ProgressPanel(form, "ProgressStates", Rect::FromSize(0, 590, 447, 41));
    left = 10;
    for (const auto& [caption, look] : looks) {
        Force(ProgressButton(progress, std::string("progress") + caption, caption, left, 6), look);
        left += 156;
    }
}

void BuildBars(ui::Form& form) {
    auto& panel = ProgressPanel(form, "Bars", Rect::FromSize(460, 410, 447, 226));
    int top = 8;
    for (int percent : kBarPercents) {
        Bar(panel, "bar" + std::to_string(percent), 7, top, percent);
        top += 24;
    }
}

}  // namespace

std::unique_ptr<ui::Form> BuildGallery() {
    auto form = std::make_unique<ui::Form>("Gallery");
    form->SetCaption(kTitle);
    form->SetClientSize(1015, 640);
    form->SetBorderStyle(ui::BorderStyle::Single);
    form->SetPosition(ui::FormPosition::ScreenCenter);
    form->SetColor(kSlate);
    form->SetFont({"Tahoma", -11, false, false, Color::System(ui::SystemColor::WindowText)});
    BuildMainWindow(*form);
    BuildProgressWindow(*form);
    BuildStates(*form);
    BuildBars(*form);
    return form;
}

}  // namespace gallery
