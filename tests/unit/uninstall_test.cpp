#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <variant>
#include <vector>

#include "app/startup.h"
#include "install/payload_items.h"
#include "install/run_installation.h"
#include "integration/dosbox_search.h"
#include "platform/sim/sim_machine.h"
#include "test_resources.h"
#include "tools/payload/payload_writer.h"
#include "ui/application.h"
#include "ui/headless/headless_ui.h"
#include "uninstall/uninstall_command.h"
#include "uninstall/uninstall_entry.h"
#include "util/path_helpers.h"

using platform::RegistryRoot;
using platform::Wow64Answer;
using ui::headless::BoxScript;
using ui::headless::PumpScript;

namespace {

constexpr int kFinalWaitPump = 12;  // the progress window's wait for OK
constexpr char kEntries[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
constexpr char kProfile[] = "C:\\users\\user\\AppData\\Local\\Tessaly\\";
constexpr char kDesktop[] = "C:\\users\\user\\Desktop\\";
constexpr char kStartMenu[] =
    "C:\\users\\user\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Tessaly\\";

std::string FileName(int index) {
    return "file" + std::to_string(index) + ".dat";
}

// A machine with ten small payload items, installed through the run as a
// user does; then uninstalled as the temporary copy does it.
class Uninstall : public ::testing::Test {
  protected:
    Uninstall() {
        LoadLayoutResources(machine);
        LoadConfTemplate(machine);
        std::string list(kPayloadItemList);
        for (int i = 0; i < 10; ++i) {
            std::string name;
            SplitFirst(list, ",", name);
            machine.SetResource(
                name, BuildPayloadContainer(FileName(i), 0x27702B00u, std::string(50, 'a' + i), 1));
        }
        machine.SetToday({2027, 3, 4});
    }
    ~Uninstall() override { DosBoxPath.clear(); }

    // One installation; on 32-bit Windows Yes to the shortcut.
    bool Install(const std::string& folder) {
        PumpScript pumps;
        pumps.At(kFinalWaitPump, [] {
            ui::Form& form = *ui::headless::FindForm("InstProgressForm");
            ui::headless::Click(form, ui::headless::CentreOf(*form.Find("btnCancel")));
        });
        BoxScript boxes({ui::kResultYes});
        const bool installed = RunInstallation(folder);
        shown = boxes.shown();
        return installed;
    }
    std::string Value(const std::string& key, const char* name) {
        const auto value = machine.registry().Get(RegistryRoot::CurrentUser, kEntries + key, name);
        if (!value) {
            return "(none)";
        }
        return std::holds_alternative<std::string>(*value)
                   ? std::get<std::string>(*value)
                   : std::to_string(std::get<std::uint32_t>(*value));
    }
    // The uninstall in its temporary copy, the boxes answered in turn.
    int Remove(const std::string& key, std::vector<int> answers, bool quiet = false,
               std::function<void(const ui::MessageBoxSpec&)> onShow = nullptr) {
        machine.SetOriginalExecutable(std::string(kProfile) + key + "\\uninstall.exe");
        BoxScript script(std::move(answers));
        script.OnShow(std::move(onShow));
        std::vector<std::string> arguments = {platform::kTemporaryCopySwitch};
        if (quiet) {
            arguments.push_back("/quiet");
        }
        const int code = RunUninstallCommand(arguments).value_or(-1);
        shown = script.shown();
        return code;
    }
    bool EntryExists(const std::string& key) {
        return machine.registry().KeyExists(RegistryRoot::CurrentUser, kEntries + key);
    }

    platform::sim::Machine machine;
    ui::Application application;
    platform::ComApartment startupCom;
    std::vector<ui::MessageBoxSpec> shown;
};

}  // namespace

TEST_F(Uninstall, ARunCancelledAfterItsFirstFileIsListedAndRemovable) {
    PumpScript pumps;
    bool listed = false;
    pumps.At(2, [&] {  // the first file's pump: one file is on disk
        listed = EntryExists("Vantrel Tessaly");
        ui::Form& form = *ui::headless::FindForm("InstProgressForm");
        ui::headless::Click(form, ui::headless::CentreOf(*form.Find("btnCancel")));
    });
    {
        BoxScript boxes;
        EXPECT_FALSE(RunInstallation("C:\\kr"));
    }
    EXPECT_TRUE(listed);
    EXPECT_TRUE(machine.Exists("C:\\kr\\" + FileName(0)));
    EXPECT_EQ(Remove("Vantrel Tessaly", {}, true), kUninstallDone);
    EXPECT_FALSE(machine.Exists("C:\\kr"));
}

TEST_F(Uninstall, EachFolderHasOneEntryNamingItsUninstaller) {
    ASSERT_TRUE(Install("C:\\kr"));
    ASSERT_TRUE(Install("C:\\kr"));  // a reinstall updates its entry
    ASSERT_TRUE(Install("C:\\games\\kr"));
    const std::string uninstaller = std::string(kProfile) + "Vantrel Tessaly\\uninstall.exe";
    EXPECT_EQ(machine.ReadFile(uninstaller), "MZ the installer");
    const std::pair<const char*, std::string> values[] = {
        {"DisplayName", "Vantrel Tessaly 3.24 (C:\\kr)"},
        {"DisplayVersion", "3.24"},
        {"Publisher", "Vantrel"},
        {"InstallLocation", "C:\\kr\\"},
        {"DisplayIcon", "C:\\kr\\tesicon.ico"},
        {"UninstallString", "\"" + uninstaller + "\" /uninstall"},
        {"QuietUninstallString", "\"" + uninstaller + "\" /uninstall /quiet"},
        {"EstimatedSize", "1"},  // 500 bytes and the 16 of the stand-in program
        {"InstallDate", "20270304"},
        {"MajorVersion", "3"},
        {"MinorVersion", "24"},
        {"VersionMajor", "3"},
        {"VersionMinor", "24"},
        {"NoModify", "1"},
        {"NoRepair", "1"},
    };
    for (const auto& [name, value] : values) {
        EXPECT_EQ(Value("Vantrel Tessaly", name), value) << name;
    }
    EXPECT_EQ(Value("Vantrel Tessaly 2", "InstallLocation"), "C:\\games\\kr\\");
    EXPECT_FALSE(EntryExists("Vantrel Tessaly 3"));
    // Each shortcut once on the desktop and once in the Start menu.
    EXPECT_TRUE(machine.Exists(std::string(kStartMenu) + "tessaly.lnk"));
}

TEST_F(Uninstall, ARunOnWhichNothingLandedLeavesNoEntryAndNoRegistrationNoFile) {
    machine.PutFile("C:\\kr", "a file where the folder should be");
    EXPECT_FALSE(Install("C:\\kr"));
    EXPECT_FALSE(EntryExists("Vantrel Tessaly"));
    EXPECT_FALSE(machine.Exists(kProfile));

    machine.registry().RefuseWrites(true);
    EXPECT_FALSE(Install("C:\\other"));
    EXPECT_FALSE(machine.Exists("C:\\other\\" + FileName(0)));
    EXPECT_FALSE(machine.Exists(kProfile));  // what it had made is taken back
}

TEST_F(Uninstall, RemovesWhatIsAsWrittenAndKeepsAndNamesWhatTheUserChangedOrMade) {
    machine.SetWow64(Wow64Answer::Yes);
    machine.PutFile("C:\\Program Files\\DOSBox-0.74\\dosbox.exe");
    DosBoxPath = "c:\\program files\\dosbox-0.74\\dosbox.exe";
    ASSERT_TRUE(Install("C:\\kr"));
    machine.PutFile("C:\\kr\\" + FileName(3), "the user's own draws");
    machine.PutFile("C:\\kr\\f", "printed");
    machine.PutFile("C:\\kr\\KEPT0001\\" + FileName(3), "older draws");
    machine.PutFile(std::string(kStartMenu) + "Print F.lnk", "the user's own shortcut");
    machine.PutFile(std::string(kStartMenu) + "mine.lnk", "another");
    DosBoxPath.clear();  // DOSBox has gone since: the uninstall does not care

    EXPECT_EQ(Remove("Vantrel Tessaly", {ui::kResultYes}), kUninstallDone);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].icon, ui::BoxIcon::Question);
    EXPECT_TRUE(shown[0].allowCancel);
    EXPECT_EQ(shown[1].text,
              "Tessaly was removed from C:\\kr\\.\r\n\r\nThese were kept in C:\\kr\\, because they "
              "were changed or made after the installation:\r\n    f\r\n    " +
                  FileName(3) +
                  "\r\n    KEPT0001\\\r\n\r\nThese shortcuts were kept, because "
                  "they were changed after the installation:\r\n    " +
                  kStartMenu + "Print F.lnk");
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(machine.Exists("C:\\kr\\" + FileName(i)), i == 3) << i;
    }
    EXPECT_FALSE(machine.Exists("C:\\kr\\dosbox.conf"));
    EXPECT_FALSE(machine.Exists(std::string(kDesktop) + "Tesicon DOSbox.lnk"));
    EXPECT_FALSE(machine.Exists(std::string(kStartMenu) + "Tesicon DOSbox.lnk"));
    EXPECT_TRUE(machine.Exists(std::string(kStartMenu) + "mine.lnk"));
    EXPECT_FALSE(EntryExists("Vantrel Tessaly"));
    EXPECT_FALSE(machine.Exists(kProfile));
    EXPECT_EQ(machine.handedBack(), (std::vector<std::pair<int, bool>>{{0, true}}));
}

TEST_F(Uninstall, AnEditedConfigurationAndAChangedShortcutStay) {
    machine.SetWow64(Wow64Answer::Yes);
    DosBoxPath = "c:\\dosbox\\dosbox.exe";
    ASSERT_TRUE(Install("C:\\kr"));
    const std::string conf = machine.ReadFile("C:\\kr\\dosbox.conf");
    machine.PutFile("C:\\kr\\dosbox.conf", conf + "rem the user's line\r\n");
    // The launcher now starts another DOSBox: written by the shell, read back.
    const std::string launcher = std::string(kDesktop) + "Tesicon DOSbox.lnk";
    std::string link = machine.ReadFile(launcher);
    link.replace(link.find("c:\\dosbox\\"), 10, "d:\\other\\");
    machine.PutFile(launcher, link);
    EXPECT_EQ(Remove("Vantrel Tessaly", {}, true), kUninstallDone);
    EXPECT_TRUE(shown.empty());
    EXPECT_TRUE(machine.Exists("C:\\kr\\dosbox.conf"));
    EXPECT_TRUE(machine.Exists(launcher));
    EXPECT_FALSE(machine.Exists(std::string(kDesktop) + "Print F.lnk"));
}

TEST_F(Uninstall, AFileThatCannotGoIsNamedAndTheEntryAndUninstallerStayForAnotherRun) {
    ASSERT_TRUE(Install("C:\\kr"));
    machine.LockFile("C:\\kr\\" + FileName(2));
    machine.AddAttributes("C:\\kr\\" + FileName(5), 0x01);  // read-only
    EXPECT_EQ(Remove("Vantrel Tessaly", {ui::kResultYes}), kUninstallIncomplete);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1].text.rfind(
                  "Tessaly was not removed completely. These could not be removed:\r\n    "
                  "C:\\kr\\file2.dat\r\n        The process cannot access the file because it is "
                  "being used by another process.\r\n    C:\\kr\\file5.dat\r\n        Access is "
                  "denied.",
                  0),
              0u)
        << shown[1].text;
    EXPECT_EQ(shown[1].text.find("were kept"), std::string::npos);  // ours, not the user's
    EXPECT_EQ(shown[1].icon, ui::BoxIcon::Warning);
    EXPECT_FALSE(machine.Exists("C:\\kr\\" + FileName(0)));
    EXPECT_FALSE(machine.Exists(std::string(kDesktop) + "tessaly.lnk"));
    EXPECT_TRUE(EntryExists("Vantrel Tessaly"));
    EXPECT_TRUE(machine.Exists(std::string(kProfile) + "Vantrel Tessaly\\uninstall.dat"));
    EXPECT_EQ(machine.handedBack().back(), std::make_pair(1, false));
}

TEST_F(Uninstall, NoOrAFolderDeletedByHandOrAMissingRecord) {
    ASSERT_TRUE(Install("C:\\kr"));
    for (const int answer : {ui::kResultNo, ui::kResultCancel}) {
        EXPECT_EQ(Remove("Vantrel Tessaly", {answer}), kUninstallDeclined);
        EXPECT_EQ(shown.size(), 1u);
        EXPECT_TRUE(machine.Exists("C:\\kr\\" + FileName(0)));
        EXPECT_TRUE(EntryExists("Vantrel Tessaly"));
    }
    for (int i = 0; i < 10; ++i) {
        machine.RemoveFile("C:\\kr\\" + FileName(i));
    }
    machine.RemoveFolder("C:\\kr");
    EXPECT_EQ(Remove("Vantrel Tessaly", {ui::kResultYes}), kUninstallDone);
    EXPECT_EQ(shown.back().text.rfind("Tessaly was removed. Its folder C:\\kr\\ was not there", 0),
              0u);
    EXPECT_FALSE(machine.Exists(std::string(kStartMenu) + "tessaly.lnk"));
    EXPECT_FALSE(EntryExists("Vantrel Tessaly"));

    EXPECT_EQ(Remove("Vantrel Tessaly", {}), kUninstallNoRecord);
    EXPECT_EQ(shown.back().icon, ui::BoxIcon::Error);
}

TEST_F(Uninstall, TheEntrysCommandHandsTheWorkToATemporaryCopyAndNeverChecksThePlatform) {
    machine.SetWow64(Wow64Answer::Yes);  // and no DOSBox anywhere
    using Copy = platform::TemporaryCopyRun;
    constexpr auto kNotStarted = Copy{Copy::Outcome::NotStarted};
    constexpr auto kEnded = Copy{Copy::Outcome::EndedWithoutResult};
    const struct {
        std::string line;
        Copy copy;
        std::string copyArguments;
        int code;
        std::size_t boxes;
    } cases[] = {
        {"\"x.exe\" /UNINSTALL", {Copy::Outcome::HandedBack, 0}, "", 0, 0},
        {"\"x.exe\" /uninstall /quiet", {Copy::Outcome::HandedBack, 1}, "/quiet", 1, 0},
        {"\"x.exe\" /Quiet /uninstall", {Copy::Outcome::HandedBack, 2}, "/quiet", 2, 0},
        {"\"x.exe\" /uninstall", kNotStarted, "", kUninstallNoTemporaryCopy, 1},
        {"\"x.exe\" /uninstall /quiet", kNotStarted, "/quiet", kUninstallNoTemporaryCopy, 0},
        // Killed or crashed after it may have removed something: not "nothing changed".
        {"\"x.exe\" /uninstall", kEnded, "", kUninstallCopyEnded, 1},
        {"\"x.exe\" /QUIET /UNINSTALL", kEnded, "/quiet", kUninstallCopyEnded, 0},
    };
    for (const auto& c : cases) {
        machine.SetCommandLine(c.line);
        machine.SetTemporaryCopyRun(c.copy);
        BoxScript boxes;
        EXPECT_EQ(RunInstaller(), c.code) << c.line;
        EXPECT_EQ(machine.temporaryCopies().back(), c.copyArguments) << c.line;
        EXPECT_EQ(boxes.shown().size(), c.boxes) << c.line;
    }
}

TEST_F(Uninstall, OneRunOfAnEntryAtATimeAndTheRecordIsReadAgainAfterTheQuestion) {
    ASSERT_TRUE(Install("C:\\kr"));
    {
        const auto other = LockEntry("Vantrel Tessaly");  // as another run holds it
        EXPECT_EQ(Remove("Vantrel Tessaly", {ui::kResultYes}), kUninstallBusy);
        ASSERT_EQ(shown.size(), 1u);  // no question: only that one runs already
        EXPECT_EQ(shown[0].icon, ui::BoxIcon::Warning);
        EXPECT_FALSE(Install("C:\\kr"));
        ASSERT_FALSE(shown.empty());
        EXPECT_NE(shown.back().text.find(
                      "No file was written, since Tessaly is being installed into or removed "
                      "from C:\\kr\\ right now."),
                  std::string::npos);
        EXPECT_TRUE(machine.Exists("C:\\kr\\" + FileName(0)));
        EXPECT_TRUE(EntryExists("Vantrel Tessaly"));
    }
    // What the question was about is read again once it is answered: here
    // the record was damaged meanwhile, and nothing is removed.
    const std::string record = std::string(kProfile) + "Vantrel Tessaly\\uninstall.dat";
    EXPECT_EQ(Remove("Vantrel Tessaly", {ui::kResultYes}, false,
                     [&](const ui::MessageBoxSpec&) { machine.PutFile(record, "damaged"); }),
              kUninstallNoRecord);
    EXPECT_TRUE(machine.Exists("C:\\kr\\" + FileName(0)));
    EXPECT_TRUE(EntryExists("Vantrel Tessaly"));
}

TEST_F(Uninstall, AFolderOutOfReachIsNeverTakenForOneDeleted) {
    machine.AddDrive('E', platform::DriveType::Removable);
    ASSERT_TRUE(Install("E:\\kr"));
    const std::string file = "E:\\kr\\" + FileName(0);
    // The stick is out: quiet changes nothing, No neither, Yes drops only
    // the shortcuts and the entry.
    machine.SetVolumeSerial('E', std::nullopt);
    EXPECT_EQ(Remove("Vantrel Tessaly", {}, true), kUninstallUnreachable);
    EXPECT_EQ(Remove("Vantrel Tessaly", {ui::kResultNo}), kUninstallDeclined);
    EXPECT_NE(shown[0].text.find("cannot be reached"), std::string::npos);
    EXPECT_TRUE(EntryExists("Vantrel Tessaly"));
    EXPECT_TRUE(machine.Exists(std::string(kDesktop) + "tessaly.lnk"));
    // Another stick at that letter, with an installation of its own.
    machine.SetVolumeSerial('E', 0x0BADF00D);
    EXPECT_EQ(Remove("Vantrel Tessaly", {ui::kResultYes}), kUninstallEntryOnly);
    EXPECT_TRUE(machine.Exists(file));
    EXPECT_FALSE(machine.Exists(std::string(kDesktop) + "tessaly.lnk"));
    EXPECT_FALSE(EntryExists("Vantrel Tessaly"));
    EXPECT_EQ(shown.back().text.rfind("Tessaly's shortcuts and its entry", 0), 0u);
}

TEST_F(Uninstall, OnlyTheTruthCountsAsRemoved) {
    ASSERT_TRUE(Install("C:\\kr"));
    ASSERT_TRUE(Install("C:\\kr2"));  // its shortcuts replace the first one's
    // Another installation's shortcuts are left alone, unnamed, and so is a
    // file someone else put beside the uninstaller: its folder stays for it.
    const std::string planted = std::string(kProfile) + "Vantrel Tessaly\\version.dll";
    machine.PutFile(planted, "not ours");
    EXPECT_EQ(Remove("Vantrel Tessaly", {ui::kResultYes}), kUninstallDone);
    EXPECT_EQ(shown.back().text, "Tessaly was removed from C:\\kr\\.");
    EXPECT_TRUE(machine.Exists(planted));
    EXPECT_TRUE(machine.Exists(std::string(kDesktop) + "tessaly.lnk"));
    // A shortcut the shell-link object cannot read is a fault, and so is a
    // record that cannot go: the entry stays for another run.
    machine.SetShellLinkCreationResult(static_cast<std::int32_t>(0x80040154));
    EXPECT_EQ(Remove("Vantrel Tessaly 2", {}, true), kUninstallIncomplete);
    EXPECT_TRUE(machine.Exists(std::string(kDesktop) + "tessaly.lnk"));
    machine.SetShellLinkCreationResult(0);
    machine.AddAttributes(std::string(kProfile) + "Vantrel Tessaly 2\\uninstall.dat", 0x01);
    EXPECT_EQ(Remove("Vantrel Tessaly 2", {}, true), kUninstallIncomplete);
    EXPECT_FALSE(machine.Exists(std::string(kDesktop) + "tessaly.lnk"));
    EXPECT_TRUE(EntryExists("Vantrel Tessaly 2"));
}

TEST_F(Uninstall, NoJunctionOrLinkIsRemovedAsOurs) {
    machine.AddDrive('D', platform::DriveType::Fixed);
    machine.PutFolder("D:\\moved");
    machine.PutLink("C:\\kr", "D:\\moved");  // the folder moved to another drive
    ASSERT_TRUE(Install("C:\\kr"));
    machine.RemoveFile("D:\\moved\\" + FileName(4));
    machine.PutFile("D:\\elsewhere", std::string(50, 'a' + 4));
    machine.PutLink("C:\\kr\\" + FileName(4), "D:\\elsewhere");  // a payload name as a link
    EXPECT_EQ(Remove("Vantrel Tessaly", {ui::kResultYes}), kUninstallDone);
    EXPECT_TRUE(machine.Exists("C:\\kr"));
    EXPECT_TRUE(machine.Exists("D:\\elsewhere"));
    EXPECT_FALSE(machine.Exists("D:\\moved\\" + FileName(0)));
    EXPECT_EQ(shown.back().text,
              "Tessaly was removed from C:\\kr\\.\r\n\r\nThese were kept in C:\\kr\\, because "
              "they were changed or made after the installation:\r\n    " +
                  FileName(4) +
                  "\r\n\r\nThe folder C:\\kr\\ stays, since it is a link to another folder: "
                  "what was Tessaly's in that folder was removed.");
}

// The exit codes as scripts read them in docs/uninstall.md: each code and
// the start of its meaning there, and no row the code does not define.
TEST(UninstallExitCodes, AgreeWithTheDocumentedTable) {
    const std::vector<std::pair<int, std::string>> codes = {
        {kUninstallDone, "nothing of ours is left"},
        {kUninstallIncomplete, "something of ours could not be removed"},
        {kUninstallDeclined, "the user answered No"},
        {kUninstallNoRecord, "the record or the uninstaller's payload cannot be read"},
        {kUninstallNoTemporaryCopy, "the temporary copy could not be started"},
        {kUninstallCopyEnded, "the temporary copy ended without a result"},
        {kUninstallBusy, "an installation or uninstall of this entry is running"},
        {kUninstallUnreachable, "quiet: the install folder cannot be reached"},
        {kUninstallEntryOnly, "the folder could not be reached"},
    };
    std::ifstream doc(std::filesystem::path(TESSALY_SOURCE_DIR) / "docs" / "uninstall.md");
    std::map<int, std::string> documented;
    std::string line;
    bool inTable = false;
    while (std::getline(doc, line)) {
        if (line.rfind("## ", 0) == 0) {
            inTable = line == "## Exit codes";
        } else if (inTable && line.size() > 2 && line[0] == '|' && std::isdigit(line[2])) {
            const std::size_t bar = line.find('|', 2);
            documented[std::stoi(line.substr(2))] = line.substr(bar + 2);
        }
    }
    ASSERT_EQ(documented.size(), codes.size());
    for (const auto& [code, meaning] : codes) {
        EXPECT_EQ(documented[code].rfind(meaning, 0), 0u) << code << ": " << documented[code];
    }
}
