#include "util/format.h"

#include <gtest/gtest.h>

#include "platform/message_error.h"
#include "platform/sim/sim_machine.h"

TEST(Format, TextAndWholeNumbers) {
    EXPECT_EQ(Format("%s was not installed.", {"Tessaly"}), "Tessaly was not installed.");
    EXPECT_EQ(Format("Installation cancelled. %d of %d files were installed.", {1, 10}),
              "Installation cancelled. 1 of 10 files were installed.");
    EXPECT_EQ(Format("100%% %s", {"done"}), "100% done");
    // Values are inserted as they are: a '%' in a value is not a directive.
    EXPECT_EQ(Format("[%s]", {"50%d"}), "[50%d]");
    EXPECT_EQ(Format("OLE error %.8x", {static_cast<std::int64_t>(0x80040154)}),
              "OLE error 80040154");
    EXPECT_EQ(Format("%.8x|%x", {0xBEEF, -1}), "0000beef|ffffffff");
}

TEST(Format, NumbersWithTheUsersThousandsSeparator) {
    platform::sim::Machine machine;
    EXPECT_EQ(Format("%.0n of %.0n bytes", {1234567.0, 2500000.0}), "1,234,567 of 2,500,000 bytes");
    EXPECT_EQ(Format("%.0n of %.0n bytes", {0.0, 0.0}), "0 of 0 bytes");
    EXPECT_EQ(Format("%.0n", {4294967295.0}), "4,294,967,295");
    EXPECT_EQ(Format("%.0n", {999.0}), "999");
    EXPECT_EQ(Format("%.0n", {1000.0}), "1,000");
    EXPECT_EQ(Format("%.0n", {2.5}), "3");
    EXPECT_EQ(Format("%.2n", {1234.006}), "1,234.01");
    EXPECT_EQ(Format("%.1n", {-0.04}), "0.0");
    EXPECT_EQ(Format("%.1n", {-1234.56}), "-1,234.6");
    EXPECT_EQ(Format("%n", {0.5}), "0.50");
    machine.SetThousandsSeparator(".");
    EXPECT_EQ(Format("%.0n", {1234567.0}), "1.234.567");
    machine.SetThousandsSeparator("\u00a0");  // French: a no-break space, two bytes in UTF-8
    EXPECT_EQ(Format("%.0n", {1234567.0}), "1\u00a0234\u00a0567");
    machine.SetThousandsSeparator("");
    EXPECT_EQ(Format("%.0n", {1234567.0}), "1234567");
}

TEST(Format, MismatchedFormatsRaise) {
    EXPECT_THROW(Format("%s %s", {"one"}), ProgrammingError);
    EXPECT_THROW(Format("%d", {"text"}), ProgrammingError);
    EXPECT_THROW(Format("%s", {"a", "b"}), ProgrammingError);
    EXPECT_THROW(Format("50%", {}), ProgrammingError);
    EXPECT_THROW(Format("%q", {1}), ProgrammingError);
    EXPECT_THROW(Format("%x", {"text"}), ProgrammingError);
}
