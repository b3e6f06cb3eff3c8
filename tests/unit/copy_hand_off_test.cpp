#include "platform/copy_hand_off.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

namespace {

platform::CopyHandOff Sample() {
    platform::CopyHandOff handOff;
    handOff.resultPipe = 0x1c;
    handOff.originalProcess = 0x123456789;
    handOff.originalProcessId = 4242;
    for (unsigned char i = 0; i < handOff.token.size(); ++i) {
        handOff.token[i] = static_cast<unsigned char>(i * 17);
    }
    handOff.originalPath =
        "C:\\users\\łukasz\\AppData\\Local\\Tessaly\\Vantrel Tessaly\\uninstall.exe";
    return handOff;
}

}  // namespace

TEST(CopyHandOff, OneWholeHandOffComesBackAsWrittenAndAnythingElseIsRefused) {
    const std::string good = platform::EncodeCopyHandOff(Sample());
    const auto back = platform::DecodeCopyHandOff(good);
    ASSERT_TRUE(back);
    EXPECT_EQ(platform::EncodeCopyHandOff(*back), good);

    const auto with = [](std::function<void(platform::CopyHandOff&)> change) {
        platform::CopyHandOff handOff = Sample();
        change(handOff);
        return platform::EncodeCopyHandOff(handOff);
    };
    const std::string refused[] = {
        "",
        good.substr(0, good.size() - 1),
        good + "x",
        "x" + good.substr(1),
        with([](auto& h) { h.resultPipe = 0; }),
        with([](auto& h) { h.originalProcess = 0; }),
        with([](auto& h) { h.originalProcessId = 0; }),
        with([](auto& h) { h.originalPath.clear(); }),
        with([](auto& h) { h.originalPath[3] = '\0'; }),
        with([](auto& h) { h.originalPath.assign(32767 * 3 + 1, 'a'); }),
    };
    for (const std::string& bytes : refused) {
        EXPECT_FALSE(platform::DecodeCopyHandOff(bytes)) << ::testing::PrintToString(bytes);
    }
}

TEST(CopyHandOff, TheCommandLineCarriesOnlyThePipesHandleValue) {
    EXPECT_EQ(platform::CopySwitchFor(0x1c), "/uninstall-copy 1c");
    const struct {
        const char* line;
        std::optional<std::uint64_t> pipe;
    } cases[] = {
        {R"("C:\Temp\tsun01.exe" /uninstall-copy 1c /quiet)", 0x1c},
        // Typed by hand: the pipe check of the backend refuses what 4 is.
        {R"(uninstall.exe /uninstall-copy 4 8 "C:\x\p.exe")", 4},
        {R"("x.exe" /uninstall-copy)", std::nullopt},
        {R"("x.exe" /uninstall-copy 0)", std::nullopt},
        {R"("x.exe" /uninstall-copy 10000000000000000)", std::nullopt},
        {R"("x.exe" /uninstall-copy  1c)", std::nullopt},
        {R"("C:\a /uninstall-copy 5\x.exe" /quiet)", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(platform::HandOffPipeOf(c.line), c.pipe) << c.line;
    }
}
