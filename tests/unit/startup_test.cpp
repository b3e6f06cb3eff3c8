#include "app/startup.h"

#include <gtest/gtest.h>

#include <vector>

#include "integration/dosbox_search.h"
#include "platform/sim/sim_machine.h"
#include "test_resources.h"
#include "ui/application.h"
#include "ui/form.h"
#include "ui/headless/headless_ui.h"
#include "util/path_helpers.h"

using platform::Wow64Answer;
using platform::sim::Machine;
using ui::headless::BoxScript;

namespace {

constexpr char kAdvice[] =
    "This computer has a 64 bit operating system which cannot directly execute DOS "
    "programs.\n\nTessaly cannot run on this operating system except in XP Mode (which "
    "requires upgrading to Windows 7 Professional) or by using the free program, DOSbox, which "
    "does not appear to be installed on this computer.\n\nClick OK to go to the DOSbox website.  "
    "Download, and install DOSbox to it's default location then start this installer again.";

class StartupTest : public ::testing::Test {
  protected:
    void SetUp() override {
        DosBoxPath.clear();
        LoadLayoutResources(machine);
    }
    void TearDown() override { ui::headless::ClearPosted(); }

    void Install64BitDosBox(const std::string& folder = "DOSBox-0.74") {
        machine.PutFile("C:\\Program Files\\" + folder + "\\dosbox.exe", "MZ");
    }

    Machine machine;
};

}  // namespace

TEST_F(StartupTest, On32BitWindowsNoSearchIsMadeAndNoMessageShown) {
    machine.SetWow64(Wow64Answer::No);
    BoxScript boxes;
    EXPECT_TRUE(CheckPlatform());
    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_EQ(DosBoxPath, "");
}

TEST_F(StartupTest, TheSwitchShowsTheAdviceOnAnyPlatformWhateverItsCase) {
    for (const std::string line :
         {"\"C:\\setup\\tessaly-setup.exe\" /T", "tessaly-setup.exe /test", "x.exe -a/t"}) {
        machine.SetCommandLine(line);
        BoxScript boxes({ui::kResultCancel});
        EXPECT_FALSE(CheckPlatform()) << line;
        ASSERT_EQ(boxes.shown().size(), 1u);
        const auto& box = boxes.shown()[0];
        EXPECT_EQ(box.text, kAdvice);
        EXPECT_EQ(box.caption, "Corvane355 Installer");
        EXPECT_EQ(box.icon, ui::BoxIcon::Warning);
        EXPECT_EQ(box.standardButtons, ui::kButtonOk | ui::kButtonCancel);
        EXPECT_TRUE(box.allowCancel);
    }
    EXPECT_TRUE(machine.shellOpens().empty());
}

TEST_F(StartupTest, AProgramPathWithSlashTIsNoSwitch) {
    machine.SetWow64(Wow64Answer::No);
    for (const std::string line : {"D:/tools/tessaly-setup.exe", "\"C:/temp /t/setup.exe\" ",
                                   "\"C:\\setup.exe\"", "setup.exe\t-x"}) {
        machine.SetCommandLine(line);
        BoxScript boxes;
        EXPECT_TRUE(CheckPlatform()) << line;
        EXPECT_TRUE(boxes.shown().empty()) << line;
    }
    machine.SetCommandLine("D:/tools/tessaly-setup.exe\t/Tx");
    BoxScript boxes({ui::kResultCancel});
    EXPECT_FALSE(CheckPlatform());
}

TEST_F(StartupTest, OkOpensTheDosBoxPageAndCancelOpensNothing) {
    machine.SetWow64(Wow64Answer::Yes);
    {
        BoxScript boxes({ui::kResultCancel});
        EXPECT_FALSE(CheckPlatform());
        EXPECT_TRUE(machine.shellOpens().empty());
    }
    {
        BoxScript boxes({ui::kResultOk});
        EXPECT_FALSE(CheckPlatform());
        ASSERT_EQ(machine.shellOpens().size(), 1u);
        const auto& call = machine.shellOpens()[0];
        EXPECT_EQ(call.verb, "Open");
        EXPECT_EQ(call.file.rfind("https://www.dosbox.com/", 0), 0u);
        EXPECT_EQ(call.parameters, "");
        EXPECT_EQ(call.directory, "");
        EXPECT_EQ(call.showCommand, 1);
    }
}

TEST_F(StartupTest, On64BitWindowsDosBoxIsFoundInAnyCase) {
    machine.SetWow64(Wow64Answer::Yes);
    Install64BitDosBox("DosBox-0.74 Build");
    BoxScript boxes;
    EXPECT_TRUE(CheckPlatform());
    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_EQ(DosBoxPath, "c:\\program files\\dosbox-0.74 build\\dosbox.exe");
}

TEST_F(StartupTest, DosBoxAndTheSwitchStillShowTheAdvice) {
    machine.SetWow64(Wow64Answer::Yes);
    Install64BitDosBox();
    machine.SetCommandLine("setup.exe /t");
    BoxScript boxes({ui::kResultCancel});
    EXPECT_FALSE(CheckPlatform());
    EXPECT_EQ(boxes.shown().size(), 1u);
    // The search ran first and left its result.
    EXPECT_EQ(DosBoxPath, "c:\\program files\\dosbox-0.74\\dosbox.exe");
}

TEST_F(StartupTest, EntriesWithoutDosBoxArePassedOver) {
    machine.SetWow64(Wow64Answer::Yes);
    machine.PutFile("C:\\Program Files\\DOSBox0.74-win32-installer.exe", "MZ");
    machine.PutFile("C:\\Program Files\\DOSBox-0.74\\dosbox-0.74.conf", "[sdl]");
    std::string path = "left over";
    // Only leftovers: not found, and the first candidate stays.
    machine.SetListingOrder("C:\\Program Files", {"DOSBox0.74-win32-installer.exe", "DOSBox-0.74"});
    EXPECT_FALSE(FindDosBox(path));
    EXPECT_EQ(path, "c:\\program files\\dosbox0.74-win32-installer.exe\\dosbox.exe");

    // An older DOSBox's leftover folder, or a downloaded setup program,
    // listed before the installed DOSBox.
    Install64BitDosBox("DOSBox-0.74-3");
    for (const char* first : {"DOSBox-0.74", "DOSBox0.74-win32-installer.exe"}) {
        machine.SetListingOrder("C:\\Program Files", {first, "DOSBox-0.74-3"});
        EXPECT_TRUE(FindDosBox(path)) << first;
        EXPECT_EQ(path, "c:\\program files\\dosbox-0.74-3\\dosbox.exe") << first;
    }
}

TEST_F(StartupTest, HiddenAndSystemEntriesAreSkipped) {
    machine.SetWow64(Wow64Answer::Yes);
    Install64BitDosBox("DOSBox-hidden");
    machine.AddAttributes("C:\\Program Files\\DOSBox-hidden", platform::kAttributeHidden);
    std::string path = "left over";
    EXPECT_FALSE(FindDosBox(path));
    EXPECT_EQ(path, "");

    Install64BitDosBox("DOSBox-system");
    machine.AddAttributes("C:\\Program Files\\DOSBox-system", platform::kAttributeSystem);
    EXPECT_FALSE(FindDosBox(path));

    // A hidden real DOSBox behind a visible leftover is still not found.
    machine.PutFile("C:\\Program Files\\DOSBox-leftover\\dosbox.conf", "[sdl]");
    EXPECT_FALSE(FindDosBox(path));
    EXPECT_EQ(path, "c:\\program files\\dosbox-leftover\\dosbox.exe");

    Install64BitDosBox("DOSBox-visible");
    EXPECT_TRUE(FindDosBox(path));
    EXPECT_EQ(path, "c:\\program files\\dosbox-visible\\dosbox.exe");
}

namespace {

// What a DOSBox installer leaves: the program, a record naming it, a
// Start menu shortcut to it, a hidden folder, the known folder.
struct Put {
    enum Kind { File, HkcuStaging, Hklm64X, Hklm32Entry, MenuLink, Hidden, Known, Owner } kind;
    std::string at;
    std::string value = {};
};

void Arrange(Machine& m, const Put& put) {
    using platform::RegistryRoot;
    using platform::RegistryView;
    const std::string entry = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\{x}_is1";
    switch (put.kind) {
        case Put::File:
            return m.PutFile(put.at, "MZ");
        case Put::HkcuStaging:
            m.registry().Set(RegistryRoot::CurrentUser, "Software\\dosbox-staging", "Path", put.at);
            return;
        case Put::Hklm64X:
            m.registry().Set(RegistryRoot::LocalMachine, "Software\\DOSBox-X", "Path", put.at,
                             RegistryView::Bits64);
            return;
        case Put::Hklm32Entry:
            m.registry().Set(RegistryRoot::LocalMachine, entry, "DisplayName", "DOSBox Staging",
                             RegistryView::Bits32);
            m.registry().Set(RegistryRoot::LocalMachine, entry, "InstallLocation", put.at,
                             RegistryView::Bits32);
            return;
        case Put::MenuLink:
            return m.PutFile("C:\\Menu\\" + put.at, "SetPath " + put.value + " 0\n");
        case Put::Hidden:
            return m.AddAttributes(put.at, platform::kAttributeHidden);
        case Put::Known:
            return m.SetUserProgramFiles(put.at);
        case Put::Owner:
            return m.SetOwner(put.at, put.value == "admin" ? platform::Owner::Administrators
                                                           : platform::Owner::Other);
    }
}

}  // namespace

TEST(FindDosBox, TodaysDosBoxIsFoundWhereverItInstallsInThisOrder) {
    const std::string staging = "C:\\PF64\\DOSBox Staging\\dosbox.exe";
    const std::string perUser = "C:\\users\\user\\AppData\\Local\\Programs\\DOSBox\\dosbox.exe";
    const std::string rootX = "C:\\DOSBox-X\\dosbox-x.exe";
    const struct {
        const char* name;
        std::vector<Put> puts;
        std::string found;  // empty: not found
    } cases[] = {
        {"64-bit Program Files", {{Put::File, staging}}, staging},
        {"the user's Programs folder", {{Put::File, perUser}}, perUser},
        {"the known folder",
         {{Put::Known, "D:\\Mine"}, {Put::File, "D:\\Mine\\dosbox\\dosbox.exe"}},
         "D:\\Mine\\dosbox\\dosbox.exe"},
        {"HKCU Path",
         {{Put::HkcuStaging, "D:\\A B\\"}, {Put::File, "D:\\A B\\dosbox.exe"}},
         "D:\\A B\\dosbox.exe"},
        {"HKLM 64-bit Path",
         {{Put::Hklm64X, "D:\\X"}, {Put::File, "D:\\X\\dosbox-x.exe"}},
         "D:\\X\\dosbox-x.exe"},
        {"HKLM 32-bit entry",
         {{Put::Hklm32Entry, "D:\\S\\"}, {Put::File, "D:\\S\\dosbox.exe"}},
         "D:\\S\\dosbox.exe"},
        {"the drive's root", {{Put::File, rootX}}, rootX},
        {"the drive's root, made by an administrator",
         {{Put::File, rootX}, {Put::Owner, "C:\\DOSBox-X", "admin"}, {Put::Owner, rootX, "admin"}},
         rootX},
        // Any signed-in user may make folders there: another account's is
        // passed over, as is its program in a folder of the user's.
        {"the drive's root, another account's folder",
         {{Put::File, rootX}, {Put::Owner, "C:\\DOSBox-X", "other"}},
         ""},
        {"the drive's root, another account's program",
         {{Put::File, rootX},
          {Put::Owner, rootX, "other"},
          {Put::File, "C:\\dosbox-y\\dosbox.exe"}},
         "C:\\dosbox-y\\dosbox.exe"},
        {"a shortcut one folder down",
         {{Put::MenuLink, "DOSBox-0.74-3\\DOSBox.lnk", "D:\\G\\dosbox.exe"},
          {Put::File, "D:\\G\\dosbox.exe"}},
         "D:\\G\\dosbox.exe"},
        {"order: Program Files first",
         {{Put::File, rootX}, {Put::File, perUser}, {Put::File, staging}},
         staging},
        {"order: a record before the root",
         {{Put::File, rootX}, {Put::Hklm64X, "D:\\X"}, {Put::File, "D:\\X\\dosbox-x.exe"}},
         "D:\\X\\dosbox-x.exe"},
        {"stale records, hidden folders",
         {{Put::HkcuStaging, "D:\\Gone"},
          {Put::MenuLink, "Old.lnk", "D:\\Gone\\dosbox.exe"},
          {Put::File, "C:\\PF64\\DOSBox-h\\dosbox.exe"},
          {Put::Hidden, "C:\\PF64\\DOSBox-h"},
          {Put::MenuLink, "T\\D.lnk", "D:\\R\\dosbox.exe"},
          {Put::File, "D:\\R\\dosbox.exe"}},
         "D:\\R\\dosbox.exe"},
        {"nothing anywhere", {}, ""},
        {"the classic search first",
         {{Put::File, staging}, {Put::File, "C:\\Program Files\\DOSBox-0.74\\dosbox.exe"}},
         "C:\\Program Files\\DOSBox-0.74\\dosbox.exe"},
    };
    for (const auto& c : cases) {
        Machine m;
        m.SetWow64(Wow64Answer::Yes);
        m.AddDrive('D', platform::DriveType::Fixed);
        m.SetEnvironmentVariable("ProgramW6432", "C:\\PF64");
        m.SetSpecialFolder(platform::kCsidlCommonPrograms, "C:\\Menu");
        for (const Put& put : c.puts) {
            Arrange(m, put);
        }
        std::string path;
        EXPECT_EQ(FindDosBox(path), !c.found.empty()) << c.name;
        EXPECT_EQ(path, c.found.empty() ? path : LowerAscii(c.found)) << c.name;
    }
}

TEST_F(StartupTest, WithoutProgramFilesTheCurrentFolderIsSearched) {
    machine.SetWow64(Wow64Answer::Yes);
    machine.SetSpecialFolder(platform::kCsidlProgramFiles, std::nullopt);
    machine.PutFile("C:\\setup\\dosbox\\dosbox.exe", "MZ");
    std::string path;
    // The pattern is "*.*" alone: the candidate is relative to the current folder.
    EXPECT_TRUE(FindDosBox(path));
    EXPECT_EQ(path, "dosbox\\dosbox.exe");

    machine.SetSpecialFolder(platform::kCsidlProgramFiles, "C:\\Missing");
    EXPECT_FALSE(FindDosBox(path));
    EXPECT_EQ(path, "");
}

TEST_F(StartupTest, RunShowsTheMainWindowUntilItCloses) {
    machine.SetWow64(Wow64Answer::No);
    bool inspected = false;
    ui::headless::Post([&] {
        ui::Application* application = ui::CurrentApplication();
        ASSERT_NE(application, nullptr);
        EXPECT_EQ(application->title(), "Tessaly Installer Version 3.24");
        EXPECT_TRUE(application->initialized());
        EXPECT_EQ(machine.comDepth(), 1);
        ui::Form* form = application->mainForm();
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(form->caption(), "Vantrel Tessaly Installer");
        EXPECT_TRUE(form->visible());
        EXPECT_TRUE(form->ownsTaskbarButton());
        EXPECT_EQ(form->width(), 685);
        EXPECT_EQ(form->height(), 400);
        EXPECT_EQ(form->borderStyle(), ui::BorderStyle::Single);
        EXPECT_TRUE(form->borderIcons().systemMenu);
        EXPECT_TRUE(form->borderIcons().minimize);
        EXPECT_FALSE(form->borderIcons().maximize);
        EXPECT_EQ(form->position(), ui::FormPosition::ScreenCenter);
        EXPECT_EQ(form->color(), ui::colors::kRed);
        inspected = true;
        form->Close();
    });
    ui::headless::Post([] { ADD_FAILURE() << "the loop went on after the main window closed"; });
    EXPECT_EQ(RunInstaller(), 0);
    EXPECT_TRUE(inspected);
    // COM was released when the program ended.
    EXPECT_EQ(machine.comInitCount(), 1);
    EXPECT_EQ(machine.comDepth(), 0);
}

TEST_F(StartupTest, AdviceEndsTheRunBeforeAnythingIsInitialised) {
    machine.SetWow64(Wow64Answer::Yes);  // and no DOSBox
    BoxScript boxes({ui::kResultOk});
    // The search may open COM to read Start menu shortcuts; it is closed
    // again before the advice, and the application never opens it.
    int comDepthAtAdvice = -1;
    boxes.OnShow([&](const ui::MessageBoxSpec&) { comDepthAtAdvice = machine.comDepth(); });
    EXPECT_EQ(RunInstaller(), 0);
    EXPECT_EQ(comDepthAtAdvice, 0);
    EXPECT_LE(machine.comInitCount(), 1);
    EXPECT_EQ(machine.shellOpens().size(), 1u);
}

TEST_F(StartupTest, AFailedWow64QueryEndsWithAnErrorBoxAndExitCode1) {
    machine.SetWow64(Wow64Answer::QueryFailed);
    BoxScript boxes;
    EXPECT_EQ(RunInstaller(), 1);
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, "Bad process handle");
    EXPECT_EQ(boxes.shown()[0].icon, ui::BoxIcon::Error);
    EXPECT_EQ(machine.comInitCount(), 0);
}

TEST_F(StartupTest, AnErrorInAnEventHandlerIsShownAndTheLoopGoesOn) {
    machine.SetWow64(Wow64Answer::No);
    BoxScript boxes;
    ui::headless::Post([] { throw std::runtime_error("Resource RS_X not found"); });
    ui::headless::Post([] { ui::CurrentApplication()->mainForm()->Close(); });
    EXPECT_EQ(RunInstaller(), 0);
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].caption, "Tessaly Installer Version 3.24");
    EXPECT_EQ(boxes.shown()[0].text, "Resource RS_X not found");
}
