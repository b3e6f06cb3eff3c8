#include "util/path_helpers.h"

#include <gtest/gtest.h>

TEST(AddBackslash, EndsWithExactlyOneBackslash) {
    EXPECT_EQ(AddBackslash(""), "");
    EXPECT_EQ(AddBackslash("C:\\kr"), "C:\\kr\\");
    EXPECT_EQ(AddBackslash("C:\\kr\\"), "C:\\kr\\");
    EXPECT_EQ(AddBackslash("C:\\kr\\\\\\"), "C:\\kr\\");
    EXPECT_EQ(AddBackslash("\\\\"), "\\");
    EXPECT_EQ(AddBackslash("\\"), "\\");
}

TEST(StripTrailingBackslashes, RemovesEveryTrailingBackslashOnly) {
    EXPECT_EQ(StripTrailingBackslashes("C:\\"), "C:");
    EXPECT_EQ(StripTrailingBackslashes("\\\\"), "");
    EXPECT_EQ(StripTrailingBackslashes("C:\\kr"), "C:\\kr");
    EXPECT_EQ(StripTrailingBackslashes("C:\\kr\\\\"), "C:\\kr");
    EXPECT_EQ(StripTrailingBackslashes("C:\\Program Files\\a b\\"), "C:\\Program Files\\a b");
}

TEST(SplitFirst, SingleDelimiterSplitsAtTheFirstOccurrence) {
    std::string rest = "a,b,c", head;
    SplitFirst(rest, ",", head);
    EXPECT_EQ(head, "a");
    EXPECT_EQ(rest, "b,c");

    rest = "c";
    SplitFirst(rest, ",", head);
    EXPECT_EQ(head, "c");
    EXPECT_EQ(rest, "");

    rest = ",x";
    SplitFirst(rest, ",", head);
    EXPECT_EQ(head, "");
    EXPECT_EQ(rest, "x");

    rest = "";
    SplitFirst(rest, ",", head);
    EXPECT_EQ(head, "");
    EXPECT_EQ(rest, "");
}

TEST(SplitFirst, LongerDelimiterTextIsASetAndEmptyNeverMatches) {
    std::string rest = "a;b c", head;
    SplitFirst(rest, " ;", head);
    EXPECT_EQ(head, "a");
    EXPECT_EQ(rest, "b c");

    rest = "a,b";
    SplitFirst(rest, "", head);
    EXPECT_EQ(head, "a,b");
    EXPECT_EQ(rest, "");
}

TEST(SplitFirst, RestAndHeadMayBeTheSameVariable) {
    std::string text = "first,second";
    SplitFirst(text, ",", text);
    // Head is written first, then rest from the untouched copy.
    EXPECT_EQ(text, "second");
}

TEST(SplitFirst, WalksTheWholeItemList) {
    std::string list =
        "rs_cmd,rs_exe,rs_qdb1,rs_qdb2,rs_hlp,rs_icon,rs_qdbv4,rs_qdbv4add,rs_readme,rs_pr32";
    std::vector<std::string> names;
    for (int i = 0; i < 10; ++i) {
        std::string name;
        SplitFirst(list, ",", name);
        names.push_back(name);
    }
    EXPECT_EQ(names.front(), "rs_cmd");
    EXPECT_EQ(names.back(), "rs_pr32");
    EXPECT_EQ(list, "");
}

TEST(LowerBaseName, CutsFolderAndEverythingFromTheFirstDot) {
    EXPECT_EQ(LowerBaseName("tesicon.ico"), "tesicon");
    EXPECT_EQ(LowerBaseName("C:\\Data\\Report.TXT"), "report");
    EXPECT_EQ(LowerBaseName("a.b.c"), "a");
    EXPECT_EQ(LowerBaseName("README"), "readme");
    EXPECT_EQ(LowerBaseName("D:Name.Ext"), "name");
    EXPECT_EQ(LowerBaseName("C:\\dir.x\\file"), "file");
}

TEST(CapitalizeWords, CapitalisesAfterNonWordCharacters) {
    EXPECT_EQ(CapitalizeWords("tesicon"), "Tesicon");
    EXPECT_EQ(CapitalizeWords("PRINT file f"), "Print File F");
    EXPECT_EQ(CapitalizeWords("dos-box"), "Dos-box");
    EXPECT_EQ(CapitalizeWords("abc1def"), "Abc1def");
    EXPECT_EQ(CapitalizeWords("x0y"), "X0Y");
    EXPECT_EQ(CapitalizeWords("a_b.c"), "A_B.C");
    EXPECT_EQ(CapitalizeWords(""), "");
    // Bytes outside ASCII are neither letters nor changed.
    EXPECT_EQ(CapitalizeWords("\xE9t\xE9"), "\xE9T\xE9");
}

TEST(LowerAscii, ChangesOnlyAsciiCapitals) {
    EXPECT_EQ(LowerAscii("C:\\Program Files\\DOSBox-0.74"), "c:\\program files\\dosbox-0.74");
    EXPECT_EQ(LowerAscii("\xC4\xD6/T"), "\xC4\xD6/t");
}

TEST(FolderAndFileNameParts, SplitAtTheLastBackslashOrColon) {
    EXPECT_EQ(FolderPart("C:\\kr\\pr32.exe"), "C:\\kr\\");
    EXPECT_EQ(FileNamePart("C:\\kr\\pr32.exe"), "pr32.exe");
    EXPECT_EQ(FolderPart("C:pr32.exe"), "C:");
    EXPECT_EQ(FolderPart("pr32.exe"), "");
    EXPECT_EQ(FileNamePart("pr32.exe"), "pr32.exe");
    EXPECT_EQ(FileNamePart("C:\\kr\\"), "");
}

TEST(RootPart, IsTheDriveOrTheShare) {
    for (const auto& [path, root] : std::initializer_list<std::pair<const char*, const char*>>{
             {"C:\\kr\\f.dat", "C:\\"},
             {"e:\\", "e:\\"},
             {"\\\\srv\\games\\kr\\", "\\\\srv\\games\\"},
             {"\\\\srv\\games", "\\\\srv\\games\\"},
             {"\\\\srv\\", ""},
             {"\\\\srv\\\\x", ""},
             {"C:kr", ""},
             {"kr\\f.dat", ""}}) {
        EXPECT_EQ(RootPart(path), root) << path;
    }
}
