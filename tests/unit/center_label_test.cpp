#include "ui/center_label.h"

#include <gtest/gtest.h>

#include "ui/control.h"

TEST(CenterLabel, UsesTheCurrentWidthAndTruncatesTowardZero) {
    ui::Container parent("parent");
    parent.SetBounds(ui::Rect::FromSize(0, 0, 400, 300));
    auto& label = parent.Add(std::make_unique<ui::Control>("label"));
    const std::pair<int, int> widthToLeft[] = {
        {101, 149}, {400, 0}, {401, 0}, {450, -25}, {0, 200}};
    for (const auto& [width, left] : widthToLeft) {
        label.SetBounds(ui::Rect::FromSize(7, 13, width, 20));
        CenterLabel(label);
        EXPECT_EQ(label.left(), left) << "width " << width;
        EXPECT_EQ(label.top(), 13);
        EXPECT_EQ(label.width(), width);
    }
}
