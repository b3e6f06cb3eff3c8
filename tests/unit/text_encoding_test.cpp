#include "platform/text_encoding.h"

#include <gtest/gtest.h>

#include "integration/dos_folder.h"
#include "platform/platform.h"
#include "platform/sim/sim_machine.h"

using platform::IsUtf8;
using platform::Utf16FromUtf8;
using platform::Utf8FromUtf16;

TEST(TextEncoding, EveryNameTheSystemGivesComesBackUnchanged) {
    const std::u16string names[] = {
        u"C:\\kr\\",
        u"C:\\users\\\u0142ukasz\\Desktop",
        u"C:\\users\\\u738b\u4f1f",
        u"\u00ae\u20ac",
        u"\U0001F3B2 dice",
        // Windows keeps a surrogate without its partner as any other unit.
        std::u16string(1, char16_t(0xD800)) + u"x",
        u"x" + std::u16string(1, char16_t(0xDFFF)),
    };
    for (const std::u16string& name : names) {
        const std::string utf8 = Utf8FromUtf16(name);
        EXPECT_EQ(Utf16FromUtf8(utf8), name);
    }
    EXPECT_EQ(Utf8FromUtf16(u"\u0142\u738b\U0001F3B2"), "\xC5\x82\xE7\x8E\x8B\xF0\x9F\x8E\xB2");
    EXPECT_TRUE(IsUtf8(Utf8FromUtf16(u"\u0142\u738b\U0001F3B2")));
    EXPECT_FALSE(IsUtf8(Utf8FromUtf16(std::u16string(1, char16_t(0xD800)))));
}

TEST(TextEncoding, BytesThatAreNoUtf8BecomeOneReplacementEach) {
    const struct {
        const char* bytes;
        std::u16string text;
    } cases[] = {
        {"Jos\xE9", u"Jos\uFFFD"},                          // code page 1252
        {"\x80x", u"\uFFFDx"},                              // a continuation byte alone
        {"\xE7\x8E", u"\uFFFD\uFFFD"},                      // cut short
        {"\xC0\xAF", u"\uFFFD\uFFFD"},                      // overlong '/'
        {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // past U+10FFFF
        {"\xFF", u"\uFFFD"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf16FromUtf8(c.bytes), c.text) << c.bytes;
        EXPECT_FALSE(IsUtf8(c.bytes)) << c.bytes;
    }
}

TEST(DosFolderPath, TheAnsiFormOrTheShortNameOrNone) {
    platform::sim::Machine machine;  // its ANSI code page is 1252
    machine.PutFolder("C:\\\u0142\u00f3d\u017a");
    machine.SetShortPath("C:\\\u0142\u00f3d\u017a", "C:\\ODZ~1");
    machine.PutFolder("C:\\\u738b\u4f1f");  // no short name kept
    EXPECT_EQ(DosFolderPath("C:\\Jos\u00e9\\kr"), "C:\\Jos\u00e9\\kr");
    EXPECT_EQ(DosFolderPath("C:\\\u0142\u00f3d\u017a"), "C:\\ODZ~1");
    EXPECT_EQ(DosFolderPath("C:\\\u0142\u00f3d\u017a\\kr"), std::nullopt);  // not made yet
    EXPECT_EQ(DosFolderPath("C:\\\u738b\u4f1f"), std::nullopt);
    EXPECT_EQ(platform::AnsiFromUtf8("\u20ac \u00ae"), "\x80 \xAE");
    EXPECT_EQ(platform::Utf8FromAnsi("\x80 \xAE\x81"), "\u20ac \u00ae\u0081");

    EXPECT_EQ(FirstCharacterOutsideCodePage("C:\\Jos\u00e9\\kr"), "");
    EXPECT_EQ(FirstCharacterOutsideCodePage("C:\\Jos\u00e9\\\u0142\u00f3d\u017a"), "\u0142");
    EXPECT_EQ(FirstCharacterOutsideCodePage("C:\\\U0001F3B2\\kr"), "\U0001F3B2");
}
