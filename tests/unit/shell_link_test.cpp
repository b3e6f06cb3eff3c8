#include "integration/shell_link.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "platform/sim/sim_machine.h"
#include "util/errors.h"

using platform::sim::Machine;
using platform::sim::ShellLinkCall;
using Calls = std::vector<ShellLinkCall>;

namespace {

class ShellLinkTest : public ::testing::Test {
  protected:
    Machine machine;
    std::optional<platform::ComApartment> com{std::in_place};  // as the start-up leaves it
};

// The text of the error a call raises, or a note that it raised none.
template <typename Error>
std::string RaisedText(const std::function<void()>& call) {
    try {
        call();
    } catch (const Error& error) {
        return error.what();
    }
    return "(nothing raised)";
}

}  // namespace

TEST_F(ShellLinkTest, NoHotKeyMeansNoSetHotkeyAndTheWorkingFolderFollowsTheTarget) {
    const struct {
        std::string target, folder;
    } cases[] = {
        {"C:\\kr\\pr32.exe", "C:\\kr\\"},
        {"C:\\Program Files\\DOSBox-0.74\\dosbox.exe", "C:\\Program Files\\DOSBox-0.74\\"},
        {"D:pr32.exe", "D:"},
        {"pr32.exe", ""},
    };
    for (const auto& c : cases) {
        CreateShellLink("C:\\x.lnk", c.target, "", "", "", -3, 0);
        const Calls& calls = machine.shellLinks().back().calls;
        ASSERT_EQ(calls.size(), 7u) << c.target;
        EXPECT_EQ(calls[1], (ShellLinkCall{"SetWorkingDirectory", c.folder})) << c.target;
        EXPECT_EQ(calls[2], (ShellLinkCall{"SetArguments", ""}));
        EXPECT_EQ(calls[3], (ShellLinkCall{"SetIconLocation", "", -3}));
        EXPECT_EQ(calls[5], (ShellLinkCall{"SetShowCmd", "", 1}));
        EXPECT_EQ(calls[6].method, "Save");
    }
}

TEST_F(ShellLinkTest, FailuresToGetTheObjectRaiseAndWriteNothing) {
    const auto create = [] { CreateShellLink("C:\\x.lnk", "C:\\t.exe", "", "", "", 0, 0); };
    const std::string classId = ", ClassID: {00021401-0000-0000-C000-000000000046}";

    machine.SetShellLinkCreationResult(static_cast<std::int32_t>(0x80040154));
    EXPECT_EQ(RaisedText<EOleSysError>(create), "Class not registered" + classId);
    machine.SetShellLinkCreationResult(static_cast<std::int32_t>(0x8004DEAD));  // no text for it
    EXPECT_EQ(RaisedText<EOleSysError>(create), "OLE error 8004dead" + classId);

    machine.SetShellLinkCreationResult(0);
    com.reset();
    machine.SetSystemMessage(0x800401F0, "CoInitialize has not been called.\r\n");
    EXPECT_EQ(RaisedText<EOleSysError>(create), "CoInitialize has not been called" + classId);

    com.emplace();
    machine.SetShellLinkInterfaceMissing(true);
    EXPECT_EQ(RaisedText<EIntfCastError>(create), "Interface not supported");

    EXPECT_TRUE(machine.shellLinks().empty());
    EXPECT_FALSE(machine.Exists("C:\\x.lnk"));
}

// (The properties of each real shortcut are checked with their callers.)
TEST_F(ShellLinkTest, ARefusedSaveIsReportedWithTheSystemsWordsAndAnOldLinkIsReplaced) {
    machine.PutFile("C:\\Desk\\locked.lnk");
    machine.LockFile("C:\\Desk\\locked.lnk");
    machine.PutFile("C:\\Desk\\old.lnk", "an older link");
    const WriteResult refused =
        CreateShellLink("C:\\Desk\\locked.lnk", "C:\\t.exe", "", "", "", 0, 0);
    EXPECT_FALSE(refused.written);
    EXPECT_EQ(refused.reason,
              "The process cannot access the file because it is being used by another process");
    EXPECT_TRUE(machine.shellLinks().back().released);
    EXPECT_TRUE(CreateShellLink("C:\\Desk\\old.lnk", "C:\\t.exe", "", "", "", 0, 0).written);
    EXPECT_NE(machine.ReadFile("C:\\Desk\\old.lnk"), "an older link");
}
