#include <gtest/gtest.h>

#include "ui/control.h"
#include "ui/form.h"

namespace {

ui::Control& Child(ui::Container& parent, const char* name, ui::Align align, int w, int h) {
    auto& child = parent.Add(std::make_unique<ui::Control>(name));
    child.SetSize(w, h);
    child.SetAlign(align);
    return child;
}

}  // namespace

TEST(Align, EdgesInOrderThenTheRestToTheClientChild) {
    ui::Form form("F");
    form.SetClientSize(685, 400);
    auto& side = Child(form, "side", ui::Align::Left, 185, 10);
    auto& rest = Child(form, "rest", ui::Align::Client, 1, 1);
    auto& strip = Child(form, "strip", ui::Align::Bottom, 10, 41);
    auto& free = Child(form, "free", ui::Align::None, 30, 20);
    free.SetLeft(7);
    EXPECT_EQ(strip.bounds(), (ui::Rect{0, 359, 685, 400})) << "bottom before left";
    EXPECT_EQ(side.bounds(), (ui::Rect{0, 0, 185, 359}));
    EXPECT_EQ(rest.bounds(), (ui::Rect{185, 0, 685, 359}));
    EXPECT_EQ(free.bounds(), (ui::Rect{7, 0, 37, 20}));

    // The window resizes: the aligned children follow.
    form.SetClientSize(700, 300);
    EXPECT_EQ(strip.bounds(), (ui::Rect{0, 259, 700, 300}));
    EXPECT_EQ(rest.bounds(), (ui::Rect{185, 0, 700, 259}));
    // A hidden aligned child gives up its space; a new height is kept.
    strip.SetVisible(false);
    EXPECT_EQ(rest.bounds(), (ui::Rect{185, 0, 700, 300}));
    strip.SetVisible(true);
    strip.SetSize(700, 50);
    EXPECT_EQ(strip.bounds(), (ui::Rect{0, 250, 700, 300}));
    EXPECT_EQ(rest.bounds(), (ui::Rect{185, 0, 700, 250}));
}
