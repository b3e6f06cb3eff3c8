#include "install/complete_installation.h"

#include <gtest/gtest.h>

#include <functional>

#include "integration/dosbox_search.h"
#include "integration/shell_link.h"
#include "platform/sim/sim_machine.h"
#include "test_resources.h"
#include "ui/headless/headless_ui.h"
#include "ui/message_box.h"
#include "util/errors.h"

using platform::Wow64Answer;
using platform::sim::Machine;
using platform::sim::ShellLinkCall;
using Calls = std::vector<ShellLinkCall>;
using ui::headless::BoxScript;

namespace {

constexpr char kDesktop[] = "C:\\users\\user\\Desktop\\";
constexpr char kStartMenu[] =
    "C:\\users\\user\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Tessaly\\";
constexpr char kMenuText[] =
    "\r\n\r\nTo run Tessaly, start the Vantrel Menu program,\r\nand click the T+ icon.";
constexpr char kSuccess[] = "Tessaly, version 3.24, was installed successfully.";
constexpr char kQuestion[] =
    "Tessaly, version 3.24, was installed successfully.\n\nNormally Tessaly is run from inside "
    "Corvane by pressing the function key, F5. If you are not \ninstalling Corvane, you need a "
    "shortcut on the \ndesktop to run this wheel program. \n\nClick NO if you do NOT want the T+ "
    "shortcut created.";
constexpr char kDesktopIconText[] = "To run Tessaly, click the T+ icon on your desktop.";
constexpr char kCorvaneText[] = "To run Tessaly, start Corvane and press function key F5.";

// One machine as the run leaves it: the files installed, COM initialised by
// the start-up, DOSBox found on 64-bit Windows.
struct Completion {
    explicit Completion(Wow64Answer bits, const std::string& folder = "C:\\kr\\") {
        machine.SetWow64(bits);
        machine.PutFolder(folder);
        LoadConfTemplate(machine);
        DosBoxPath = "c:\\program files\\dosbox-0.74\\dosbox.exe";
    }
    ~Completion() { DosBoxPath.clear(); }

    std::string Run(const std::string& folder = "C:\\kr\\", const std::string& desktop = kDesktop,
                    const std::string& notice = {}) {
        std::string message;
        CompleteInstallation(folder, desktop, message, notice);
        return message;
    }

    Machine machine;
    platform::ComApartment startupCom;
    BoxScript boxes;
};

}  // namespace

TEST(MenuProgramPresent, LooksInTheParentButNeverInARoot) {
    Machine machine;
    machine.PutFile("C:\\vantrel\\krmenu.exe");
    machine.PutFile("C:\\krmenu.exe");
    machine.AddDrive('D', platform::DriveType::Fixed);
    machine.PutFolder("D:\\x\\krmenu.exe");
    const struct {
        std::string folder;
        bool present;
    } cases[] = {
        {"C:\\vantrel\\kr\\", true}, {"C:\\vantrel\\kr", true}, {"C:\\vantrel\\", false},
        {"C:\\kr\\", false},         {"C:\\", false},           {"", false},
        {"D:\\x\\kr\\", false},  // a folder of that name is not the program
        {"C:\\other\\kr\\", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MenuProgramPresent(c.folder), c.present) << c.folder;
    }
}

TEST(CompleteInstallation, TheMenuProgramComesFirstOnBothKindsOfWindows) {
    for (const Wow64Answer bits : {Wow64Answer::No, Wow64Answer::Yes}) {
        Completion c(bits, "C:\\vantrel\\kr\\");
        c.machine.PutFile("C:\\vantrel\\krmenu.exe");
        EXPECT_EQ(c.Run("C:\\vantrel\\kr\\"), kMenuText);
        EXPECT_TRUE(c.boxes.shown().empty());
        EXPECT_TRUE(c.machine.shellLinks().empty());
        EXPECT_FALSE(c.machine.Exists("C:\\vantrel\\kr\\dosbox.conf"));
    }
}

TEST(CompleteInstallation, On64BitWindowsTheDosBoxSetUpTellsTheUserItself) {
    Completion c(Wow64Answer::Yes);
    c.machine.PutFile("C:\\krmenu.exe");  // beside a root folder: not the menu program
    EXPECT_EQ(c.Run(), "");
    EXPECT_EQ(c.machine.shellLinks().size(), 4u);  // two on the desktop, two in the Start menu
    EXPECT_EQ(c.boxes.shown().size(), 1u);
    EXPECT_TRUE(c.machine.Exists("C:\\kr\\dosbox.conf"));
}

TEST(CompleteInstallation, On32BitWindowsCorvaneInTheFolderNeedsNoQuestion) {
    Completion c(Wow64Answer::No);
    c.machine.PutFile("C:\\kr\\dorn.exe");
    EXPECT_EQ(c.Run(), std::string(kSuccess) +
                           "\r\n\r\nTo run Tessaly, first run Corvane, then press the function "
                           "key F5.");
    EXPECT_TRUE(c.boxes.shown().empty());
    EXPECT_TRUE(c.machine.shellLinks().empty());
}

TEST(CompleteInstallation, On32BitWindowsTheShortcutIsOfferedAndMadeOnYes) {
    const struct {
        std::string folder;
        int answer;
        std::string message;
        bool linked;
    } cases[] = {
        {"C:\\kr\\", ui::kResultYes, kDesktopIconText, true},
        {"C:\\", ui::kResultYes, kDesktopIconText, true},  // a root install folder
        {"C:\\kr\\", ui::kResultNo, kCorvaneText, false},
        {"C:\\kr\\", 0, kCorvaneText, false},  // the box closed another way
    };
    for (const auto& k : cases) {
        Completion c(Wow64Answer::No, k.folder);
        c.boxes.Add(k.answer);
        EXPECT_EQ(c.Run(k.folder), k.message) << k.folder << k.answer;
        ASSERT_EQ(c.boxes.shown().size(), 1u);
        EXPECT_EQ(c.boxes.shown()[0].text, kQuestion);
        EXPECT_EQ(c.boxes.shown()[0].icon, ui::BoxIcon::Warning);
        EXPECT_EQ(c.boxes.shown()[0].standardButtons, ui::kButtonYes | ui::kButtonNo);
        if (!k.linked) {
            EXPECT_TRUE(c.machine.shellLinks().empty());
            continue;
        }
        ASSERT_EQ(c.machine.shellLinks().size(), 2u);  // on the desktop and in the Start menu
        for (const std::string folder : {std::string(kDesktop), std::string(kStartMenu)}) {
            EXPECT_EQ(c.machine.shellLinks()[folder == kDesktop ? 0 : 1].calls,
                      (Calls{{"SetPath", k.folder + "tessaly.exe"},
                             {"SetWorkingDirectory", k.folder},
                             {"SetArguments", ""},
                             {"SetIconLocation", k.folder + "tesicon.ico", 0},
                             {"SetDescription", "Tessaly"},
                             {"SetShowCmd", "", 1},
                             {"Save", folder + "tessaly.lnk", 0}}));
        }
    }
}

TEST(CompleteInstallation, AShortcutThatCouldNotBeMadeIsNotAnnounced) {
    const std::string notMade = "The T+ shortcut could not be created:\r\n\r\n";
    const std::string startIt = "\r\n\r\nTo run Tessaly, start C:\\kr\\tessaly.exe.";
    const struct {
        std::string desktop, message;
    } cases[] = {
        {"C:\\gone\\",
         notMade + "C:\\gone\\tessaly.lnk\r\n    The system cannot find the path specified" +
             startIt},
        {"", notMade + "tessaly.lnk\r\n    " + kNoDesktopFolder + startIt},
    };
    for (const auto& k : cases) {
        Completion c(Wow64Answer::No);
        c.boxes.Add(ui::kResultYes);
        EXPECT_EQ(c.Run("C:\\kr\\", k.desktop), k.message);
        EXPECT_FALSE(c.machine.Exists("C:\\setup\\tessaly.lnk"));  // nothing in the current folder
    }
}

TEST(CompleteInstallation, AFailingWow64QueryPassesThrough) {
    Completion c(Wow64Answer::QueryFailed);
    EXPECT_THROW(c.Run(), EBadProcessHandle);
}

TEST(CompleteInstallation, ANoticeEndsTheMessageTheUserSeesLast) {
    const std::string notice = "The old copy of 1 changed file was kept in the Recycle Bin.";
    const std::string corvane = std::string(kSuccess) +
                                "\r\n\r\nTo run Tessaly, first run Corvane, then press the "
                                "function key F5.";
    const struct {
        Wow64Answer bits;
        std::string folder, extraFile;
        std::string message;  // when empty, the DOSBox set-up's box ends with the notice
    } cases[] = {
        {Wow64Answer::No, "C:\\vantrel\\kr\\", "C:\\vantrel\\krmenu.exe",
         kMenuText + ("\r\n\r\n" + notice)},
        {Wow64Answer::No, "C:\\kr\\", "C:\\kr\\dorn.exe", corvane + "\r\n\r\n" + notice},
        {Wow64Answer::Yes, "C:\\kr\\", "C:\\kr\\dorn.exe", notice},  // no box but this one
        {Wow64Answer::Yes, "C:\\kr\\", "", ""},
    };
    for (const auto& k : cases) {
        Completion c(k.bits, k.folder);
        if (!k.extraFile.empty()) {
            c.machine.PutFile(k.extraFile);
        }
        EXPECT_EQ(c.Run(k.folder, kDesktop, notice), k.message) << k.extraFile;
        if (k.message.empty()) {
            ASSERT_EQ(c.boxes.shown().size(), 1u);
            const std::string& box = c.boxes.shown()[0].text;
            EXPECT_TRUE(box.ends_with("CTRL+ALT+P.\r\n\r\n" + notice)) << box;
        } else {
            EXPECT_TRUE(c.boxes.shown().empty()) << k.extraFile;
        }
    }
}
