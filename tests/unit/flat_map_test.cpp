#include "ui/flat_map.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

TEST(FlatMap, FindsAddsAndKeepsTheFirstOfTwoEntriesLikeAMap) {
    ui::FlatMap<std::string, int> map{{"b", 2}, {"a", 1}, {"b", 3}};
    EXPECT_EQ(*map.Find(std::string_view("b")), 2);
    EXPECT_EQ(map.Find("c"), nullptr);
    EXPECT_EQ(map["c"], 0);  // added value-initialised
    map["a"] = 10;
    EXPECT_EQ(map.count("a"), 1u);
    std::string order;
    for (const auto& [key, value] : map) {
        order += key + "=" + std::to_string(value) + " ";
    }
    EXPECT_EQ(order, "a=10 b=2 c=0 ");
}
