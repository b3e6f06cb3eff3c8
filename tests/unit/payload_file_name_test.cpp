#include "install/payload_file_name.h"

#include <gtest/gtest.h>

#include <string>

TEST(FindFileNameFault, AcceptsPlainFileNames) {
    for (const std::string name :
         {"readme.txt", "tessaly.exe", "f", "a b.txt", ".profile", "console.txt", "con1.txt",
          "com0", "lpt10.log", "nulls.qdb", "\u00e9t\u00e9.txt", "trailing dot.", " leading.txt"}) {
        EXPECT_EQ(FindFileNameFault(name), std::nullopt) << name;
    }
}

TEST(FindFileNameFault, RefusesNamesThatLeaveTheFolder) {
    EXPECT_EQ(FindFileNameFault(""), "is empty");
    EXPECT_EQ(FindFileNameFault("kr\\f"), "holds a folder part");
    EXPECT_EQ(FindFileNameFault("kr/f"), "holds a folder part");
    EXPECT_EQ(FindFileNameFault("\\f"), "holds a folder part");
    EXPECT_EQ(FindFileNameFault("C:f"), "names a drive or a stream");
    EXPECT_EQ(FindFileNameFault("f:stream"), "names a drive or a stream");
    EXPECT_EQ(FindFileNameFault("\xE9t\xE9.txt"), "is no UTF-8 text");  // code page 1252
    EXPECT_EQ(FindFileNameFault(".."), "names a folder, not a file");
    EXPECT_EQ(FindFileNameFault("."), "names a folder, not a file");
    // Windows drops trailing dots and spaces: these would be the folder itself.
    for (const std::string name : {"...", " ", ". .", "  ..  "}) {
        EXPECT_EQ(FindFileNameFault(name), "has no usable characters") << '"' << name << '"';
    }
}

TEST(FindFileNameFault, RefusesCharactersWindowsForbids) {
    for (const std::string& name :
         std::initializer_list<std::string>{"a<b", "a>b", "a\"b", "a|b", "a?b", "a*b", "a\tb",
                                            "\x1f", std::string("a\0b", 3), "a\rb"}) {
        EXPECT_EQ(FindFileNameFault(name),
                  "holds a character that Windows does not allow in file names")
            << name;
    }
}

TEST(FindFileNameFault, RefusesDeviceNamesWithOrWithoutExtension) {
    for (const std::string name :
         {"con", "CON", "prn.txt", "Aux", "nul ", "NUL.dat.txt", "com1", "COM9.log", "lpt1",
          "Lpt5.prn", "conin$", "CONOUT$", "com\u00b9", "lpt\u00b3.txt"}) {
        EXPECT_EQ(FindFileNameFault(name), "is a device name") << name;
    }
}
