#include "integration/dosbox_shortcuts.h"

#include <gtest/gtest.h>

#include <functional>

#include "integration/dosbox_search.h"
#include "integration/shell_link.h"
#include "platform/sim/sim_machine.h"
#include "test_resources.h"
#include "ui/headless/headless_ui.h"
#include "util/errors.h"

using platform::sim::Machine;
using platform::sim::ShellLinkCall;
using Calls = std::vector<ShellLinkCall>;
using ui::headless::BoxScript;

namespace {

constexpr char kDosBox[] = "c:\\program files\\dosbox-0.74\\dosbox.exe";
constexpr char kDesktop[] = "C:\\users\\user\\Desktop\\";
constexpr char kStartMenu[] =
    "C:\\users\\user\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Tessaly\\";
constexpr char kInstructions[] =
    "Tessaly has been installed and shortcuts created to run it in DOSbox and another to Print to "
    "File F.\r\rClick the Tesicon DOSbox Icon to start Tessaly.  To print from Tessaly, choose "
    "\"print to file\" and always name it the single letter \"f\".\n\nTo send the file F to the "
    "default printer,\n    click \"Print F\" icon or \r    press CTRL+ALT+P.";

Calls LauncherCalls(const std::string& arguments, const std::string& icon,
                    const std::string& desktop = kDesktop) {
    return {{"SetPath", kDosBox},
            {"SetWorkingDirectory", "c:\\program files\\dosbox-0.74\\"},
            {"SetArguments", arguments},
            {"SetIconLocation", icon, 0},
            {"SetDescription", "Tessaly"},
            {"SetShowCmd", "", 1},
            {"Save", desktop + "Tesicon DOSbox.lnk", 0}};
}

Calls PrintCalls(const std::string& folder, const std::string& desktop = kDesktop) {
    return {{"SetPath", folder + "pr32.exe"},
            {"SetWorkingDirectory", folder},
            {"SetArguments", "f"},
            {"SetIconLocation", folder + "tesicon.ico", 0},
            {"SetDescription", "Print File f (CTRL+ALT+P)"},
            {"SetShowCmd", "", 1},
            {"SetHotkey", "", 0x0650},
            {"Save", desktop + "Print F.lnk", 0}};
}

class DosBoxShortcutsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        LoadConfTemplate(machine);
        DosBoxPath = kDosBox;
        machine.PutFolder("C:\\kr");
    }
    void TearDown() override { DosBoxPath.clear(); }

    Machine machine;
    platform::ComApartment startupCom;
    BoxScript boxes;
};

}  // namespace

TEST_F(DosBoxShortcutsTest, WritesTheConfigBothLinksAndTellsTheUser) {
    // DOSBox reads an unquoted path with a space as two arguments.
    const struct {
        std::string folder, conf;
    } cases[] = {
        {"C:\\kr\\", "C:\\kr\\dosbox.conf"},
        {"C:\\my games\\kr\\", "\"C:\\my games\\kr\\dosbox.conf\""},
    };
    for (const auto& c : cases) {
        machine.PutFolder(c.folder);
        const std::size_t before = machine.shellLinks().size();
        CreateDosBoxShortcuts(c.folder, kDesktop);
        EXPECT_TRUE(machine.Exists(c.folder + "dosbox.conf"));
        // Each on the desktop, then the same in the Start menu.
        ASSERT_EQ(machine.shellLinks().size(), before + 4);
        const std::string launcherArguments = "-noconsole -conf " + c.conf;
        EXPECT_EQ(machine.shellLinks()[before].calls,
                  LauncherCalls(launcherArguments, c.folder + "tesicon.ico"));
        EXPECT_EQ(machine.shellLinks()[before + 1].calls,
                  LauncherCalls(launcherArguments, c.folder + "tesicon.ico", kStartMenu));
        EXPECT_EQ(machine.shellLinks()[before + 2].calls, PrintCalls(c.folder));
        EXPECT_EQ(machine.shellLinks()[before + 3].calls, PrintCalls(c.folder, kStartMenu));
        ASSERT_EQ(boxes.shown().size(), before / 4 + 1);
        EXPECT_EQ(boxes.shown().back().text, kInstructions);
        EXPECT_EQ(boxes.shown().back().caption, "");  // the executable's name
    }
    EXPECT_EQ(machine.comInitCount(), 3);  // its own pair each time, nested and closed
    EXPECT_EQ(machine.comDepth(), 1);
}

TEST_F(DosBoxShortcutsTest, WithCorvaneInTheFolderNothingHappens) {
    machine.PutFile("C:\\kr\\dorn.exe");
    machine.PutFile("C:\\kr\\old.conf", "old");
    machine.PutFile(std::string(kDesktop) + "Print F.lnk", "old");
    CreateDosBoxShortcuts("C:\\kr\\", kDesktop);
    EXPECT_TRUE(machine.shellDeletes().empty());
    EXPECT_FALSE(machine.Exists("C:\\kr\\dosbox.conf"));
    EXPECT_EQ(machine.ReadFile(std::string(kDesktop) + "Print F.lnk"), "old");
    EXPECT_TRUE(machine.shellLinks().empty());
    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_EQ(machine.comInitCount(), 1);
}

TEST_F(DosBoxShortcutsTest, ASecondRunLeavesOneOfEachLink) {
    machine.PutFile(std::string(kDesktop) + "Tesicon DOSbox.lnk", "old");
    machine.PutFile(std::string(kDesktop) + "Print F.lnk", "old");
    CreateDosBoxShortcuts("C:\\kr\\", kDesktop);
    CreateDosBoxShortcuts("C:\\kr\\", kDesktop);
    std::vector<std::string> names;
    for (const auto& entry : machine.List(std::string(kDesktop) + "*.*")) {
        names.push_back(entry.name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{".", "..", "Print F.lnk", "Tesicon DOSbox.lnk"}));
    EXPECT_NE(machine.ReadFile(std::string(kDesktop) + "Print F.lnk"), "old");
}

TEST_F(DosBoxShortcutsTest, ALinkThatRaisesStopsTheStepAndClosesItsCom) {
    machine.SetShellLinkCreationResult(static_cast<std::int32_t>(0x80040154));
    EXPECT_THROW(CreateDosBoxShortcuts("C:\\kr\\", kDesktop), EOleSysError);
    EXPECT_EQ(machine.comDepth(), 1);
    EXPECT_TRUE(boxes.shown().empty());
}

TEST(DosBoxShortcutsFailing, WhatCouldNotBeWrittenIsNamedInsteadOfAnnounced) {
    const std::string head =
        "Tessaly has been installed, but its DOSbox set-up is not complete. These files could not "
        "be created:\r\n\r\n";
    const std::string notFound = "\r\n    The system cannot find the path specified";
    const std::string printLink = std::string(kDesktop) + "Print F.lnk";
    const struct {
        const char* name;
        std::function<void(Machine&)> arrange;
        std::string desktop, text;
    } cases[] = {
        {"full disk", [](Machine& m) { m.SetWriteLimit(10); }, kDesktop,
         head + "C:\\kr\\dosbox.conf\r\n    There is not enough space on the disk"},
        {"Print F held open",
         [&](Machine& m) {
             m.PutFile(printLink);
             m.LockFile(printLink);
         },
         kDesktop,
         head + printLink +
             "\r\n    The process cannot access the file because it is being used by another "
             "process\r\n\r\nClick the Tesicon DOSbox Icon to start Tessaly."},
        {"missing desktop", [](Machine&) {}, "C:\\gone\\",
         head + "C:\\gone\\Tesicon DOSbox.lnk" + notFound + "\r\nC:\\gone\\Print F.lnk" + notFound},
        {"no desktop", [](Machine&) {}, "",
         head + "Tesicon DOSbox.lnk\r\n    " + kNoDesktopFolder + "\r\nPrint F.lnk\r\n    " +
             kNoDesktopFolder},
    };
    for (const auto& c : cases) {
        Machine machine;
        LoadConfTemplate(machine);
        machine.PutFolder("C:\\kr");
        c.arrange(machine);
        platform::ComApartment startupCom;
        BoxScript boxes;
        CreateDosBoxShortcuts("C:\\kr\\", c.desktop);
        ASSERT_EQ(boxes.shown().size(), 1u) << c.name;
        EXPECT_EQ(boxes.shown()[0].text, c.text) << c.name;
        EXPECT_FALSE(machine.Exists("C:\\setup\\Tesicon DOSbox.lnk")) << c.name;
    }
}
