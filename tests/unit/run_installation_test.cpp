#include "install/run_installation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "install/payload_items.h"
#include "platform/sim/sim_machine.h"
#include "test_resources.h"
#include "tools/payload/payload_writer.h"
#include "ui/application.h"
#include "ui/headless/headless_ui.h"
#include "ui/label.h"
#include "util/errors.h"
#include "util/path_helpers.h"
#include "widgets/gradient_button.h"
#include "widgets/level_progress_bar.h"

using ui::headless::BoxScript;
using ui::headless::PumpScript;

namespace {

// The run's pumps: 1 is the window's show handler, 2 to 11 follow the ten
// files, 12 is the wait for OK.
constexpr int kFirstFilePump = 2;
constexpr int kFinalWaitPump = 12;

std::string Contents(int index) {
    return std::string(100 * (index + 1), static_cast<char>('a' + index));
}

// Ten small items under the installer's names, with a date each.
class Run : public ::testing::Test {
  protected:
    Run() {
        LoadLayoutResources(machine);
        std::string list(kPayloadItemList);
        for (int i = 0; i < 10; ++i) {
            std::string name;
            SplitFirst(list, ",", name);
            names.push_back(name);
            SetItem(i, Contents(i));
        }
    }
    ~Run() override { ui::headless::ClearPosted(); }

    void SetItem(int index, const std::string& contents, std::uint32_t date = 0) {
        machine.SetResource(
            names[index],
            BuildPayloadContainer(FileName(index), date ? date : Date(index), contents, 1));
    }
    static std::string FileName(int index) { return "file" + std::to_string(index) + ".dat"; }
    static std::uint32_t Date(int index) { return 0x27702B00u + static_cast<std::uint32_t>(index); }
    static std::string Path(int index) { return "C:\\kr\\" + FileName(index); }

    static ui::Form& Window() {
        ui::Form* form = ui::headless::FindForm("InstProgressForm");
        if (form == nullptr) {
            throw std::logic_error("no progress window");
        }
        return *form;
    }
    static std::string Text(const char* label) {
        return dynamic_cast<ui::Label&>(*Window().Find(label)).caption();
    }
    static std::function<void()> Click(const char* button) {
        return [button] {
            ui::headless::Click(Window(), ui::headless::CentreOf(*Window().Find(button)));
        };
    }
    static std::function<void()> CloseBox() {
        return [] { Window().Close(); };
    }
    // Files in C:\kr that hold their item's contents.
    int FilesInstalled() {
        int count = 0;
        for (int i = 0; i < 10; ++i) {
            count += machine.Exists(Path(i)) && machine.ReadFile(Path(i)) == Contents(i) ? 1 : 0;
        }
        return count;
    }

    platform::sim::Machine machine;
    ui::Application application;
    BoxScript boxes;
    PumpScript pumps;
    std::vector<std::string> names;
};

}  // namespace

TEST_F(Run, WritesTheTenFilesInListOrderWithTheirDates) {
    for (int i = 0; i < 10; ++i) {
        // Before file i's pump, files up to i are on disk and the count shows i + 1.
        pumps.At(kFirstFilePump + i, [this, i] {
            EXPECT_TRUE(machine.Exists(Path(i)));
            EXPECT_TRUE(i == 9 || !machine.Exists(Path(i + 1))) << i;
            EXPECT_EQ(Text("lbFiles"), "Files: " + std::to_string(i + 1));
            EXPECT_EQ(Text("lbFileName"), Path(i));
        });
    }
    pumps.At(kFinalWaitPump, [] {
        auto& bar = dynamic_cast<widgets::LevelProgressBar&>(*Window().Find("pbar"));
        EXPECT_EQ(bar.position(), 5500);
        EXPECT_EQ(bar.Percentage(), 100);
        EXPECT_EQ(Text("lbStatus"), "5,500 of 5,500 bytes");
        EXPECT_EQ(Text("lbStage"), "Installation Successful.");
    });
    pumps.At(kFinalWaitPump, Click("btnCancel"));  // OK
    // A missing folder is made with its parents; extra backslashes go.
    const std::string folder = "C:\\kr\\\\";
    machine.PutFile("C:\\kr\\dorn.exe");  // the completion's Corvane way: one final box
    EXPECT_TRUE(RunInstallation(folder));
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(machine.ReadFile(Path(i)), Contents(i)) << i;
        EXPECT_EQ(machine.DosDateOf(Path(i)), Date(i)) << i;
    }
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].caption, "Tessaly");
    EXPECT_EQ(boxes.shown()[0].text,
              "Tessaly, version 3.24, was installed successfully.\r\n\r\nTo run Tessaly, first "
              "run Corvane, then press the function key F5.");
    EXPECT_EQ(ui::headless::FindForm("InstProgressForm"), nullptr);
    EXPECT_EQ(pumps.pumps(), kFinalWaitPump);
}

TEST_F(Run, UnreadableItemsAreListedTwiceAndNothingIsWritten) {
    struct Case {
        std::vector<int> empty;
        const char* message;
    };
    for (const Case& c : {Case{{2}, "\nError Reading resource item rs_qdb1, Filename file2.dat"},
                          Case{{2, 4},
                               "\nError Reading resource item rs_qdb1, Filename file2.dat"
                               "\r\nError Reading resource item rs_hlp, Filename file4.dat"}}) {
        for (int index : c.empty) {
            SetItem(index, "");
        }
        BoxScript script;
        bool windowBehind = false;
        script.OnShow([&](const ui::MessageBoxSpec&) {
            windowBehind = windowBehind || ui::headless::FindForm("InstProgressForm") != nullptr;
        });
        EXPECT_FALSE(RunInstallation("C:\\kr"));
        ASSERT_EQ(script.shown().size(), 2u);
        EXPECT_EQ(script.shown()[0].caption, "");
        EXPECT_EQ(script.shown()[0].text, c.message);
        EXPECT_EQ(script.shown()[1].caption, "Tessaly");
        EXPECT_EQ(script.shown()[1].text, c.message);
        EXPECT_TRUE(windowBehind);
        EXPECT_EQ(FilesInstalled(), 0);
        EXPECT_TRUE(machine.Exists("C:\\kr"));
    }
}

// Whatever stops an item from loading reaches the caller with a text that
// says which item it was, zlib's bare "Error" included.
TEST_F(Run, AFailureWhileLoadingPassesOnNamingTheItemWithTheWindowGoneAndNothingWritten) {
    std::string cut = BuildPayloadContainer(FileName(2), Date(2), Contents(2), 1);
    cut.resize(cut.size() - 5);
    const struct {
        int index;
        std::string stored;
        const char* text;
    } cases[] = {
        {5, "too short", "Resource rs_icon is damaged: it is shorter than its 47-byte header."},
        {2, cut, "Error\r\n\r\nResource rs_qdb1 is damaged: its stream is corrupt or cut short."},
    };
    for (const auto& c : cases) {
        machine.SetResource(names[c.index], c.stored);
        try {
            RunInstallation("C:\\kr");
            ADD_FAILURE() << names[c.index] << ": no error";
        } catch (const InstallerError& error) {
            EXPECT_STREQ(error.what(), c.text);
        }
        EXPECT_EQ(ui::headless::FindForm("InstProgressForm"), nullptr);
        EXPECT_EQ(FilesInstalled(), 0);
        EXPECT_TRUE(boxes.shown().empty());
        SetItem(c.index, Contents(c.index));
    }
}

TEST_F(Run, ACancelStopsAfterTheFileInHandAndTheFilesStay) {
    struct Case {
        const char* name;
        int pump;
        std::function<void()> action;
        int files;
    };
    for (const Case& c : {Case{"cancel after the first", kFirstFilePump, Click("btnCancel"), 1},
                          Case{"cancel after the last", kFinalWaitPump - 1, Click("btnCancel"), 10},
                          Case{"close box", kFirstFilePump + 2, CloseBox(), 3},
                          Case{"pause, then cancel", kFirstFilePump, Click("btnPause"), 1}}) {
        machine.PutFolder("C:\\empty");
        PumpScript script;
        script.At(c.pump, c.action);
        script.At(c.pump + 1, Click("btnCancel"));  // ends the pause; otherwise too late
        BoxScript shown;
        EXPECT_FALSE(RunInstallation("C:\\run" + std::to_string(c.files))) << c.name;
        ASSERT_EQ(shown.shown().size(), 1u) << c.name;
        EXPECT_EQ(shown.shown()[0].caption, "Tessaly");
        EXPECT_EQ(shown.shown()[0].text, "Installation cancelled. " + std::to_string(c.files) +
                                             " of 10 files were installed.")
            << c.name;
        for (int i = 0; i < 10; ++i) {
            EXPECT_EQ(machine.Exists("C:\\run" + std::to_string(c.files) + "\\" + FileName(i)),
                      i < c.files)
                << c.name << " " << i;
        }
    }
}

TEST_F(Run, ACancelMadeWhileLoadingActsAfterTheFirstFile) {
    machine.OnResourceRead([this](const std::string& name) {
        if (name == names[5]) {
            ui::headless::Post(Click("btnCancel"));
        }
    });
    EXPECT_FALSE(RunInstallation("C:\\kr"));
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, "Installation cancelled. 1 of 10 files were installed.");
    EXPECT_EQ(FilesInstalled(), 1);
}

// A fault of the file system, the lines its message must carry, the files
// that must be on disk afterwards, and a cancel at a pump (0: none).
struct WriteFault {
    const char* name;
    std::function<void(platform::sim::Machine&)> arrange;
    std::vector<std::string> lines;
    int files;
    int cancelPump = 0;
};

void PrintTo(const WriteFault& fault, std::ostream* out) {
    *out << fault.name;
}

class RunWithFault : public Run, public ::testing::WithParamInterface<WriteFault> {};

TEST_P(RunWithFault, FailsTheRunNamingEveryFileOrFolderAndTheReason) {
    const WriteFault& c = GetParam();
    c.arrange(machine);
    std::string stage;
    if (c.cancelPump != 0) {
        pumps.At(c.cancelPump, Click("btnCancel"));
    } else {
        pumps.At(kFinalWaitPump, [&] { stage = Text("lbStage"); });
        pumps.At(kFinalWaitPump, Click("btnCancel"));  // OK
    }
    EXPECT_FALSE(RunInstallation("C:\\kr"));
    if (c.cancelPump == 0) {
        EXPECT_EQ(stage, "Installation failed.");
    }
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].caption, "Tessaly");
    const std::string& text = boxes.shown()[0].text;
    const std::string heading = c.cancelPump != 0
                                    ? "Installation cancelled. " + std::to_string(c.files) +
                                          " of 10 files were installed.\r\n\r\n"
                                    : "";
    EXPECT_EQ(text.rfind(heading + "The installation failed:\r\n", 0), 0u) << text;
    for (const std::string& line : c.lines) {
        EXPECT_NE(text.find("\r\n" + line), std::string::npos) << text;
    }
    EXPECT_EQ(FilesInstalled(), c.files);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, RunWithFault,
    ::testing::Values(
        WriteFault{"ReadOnlyFile",
                   [](auto& m) {
                       m.PutFile("C:\\kr\\file3.dat", "old");
                       m.AddAttributes("C:\\kr\\file3.dat", 0x01);
                   },
                   {"The file C:\\kr\\file3.dat could not be written: Access is denied."},
                   9},
        WriteFault{"FileHeldOpen",
                   [](auto& m) {
                       m.PutFile("C:\\kr\\file0.dat", "old");
                       m.LockFile("C:\\kr\\file0.dat");
                   },
                   {"The file C:\\kr\\file0.dat could not be written: The process cannot access "
                    "the file because it is being used by another process."},
                   9},
        // Room for the uninstaller's record (some 220 bytes) and two files.
        WriteFault{"DiskFull",
                   [](auto& m) { m.SetWriteLimit(250); },
                   {"The file C:\\kr\\file2.dat could not be written: There is not enough "
                    "space on the disk.",
                    "The file C:\\kr\\file9.dat could not be written: There is not enough "
                    "space on the disk."},
                   2},
        WriteFault{"FolderThatIsAFile",
                   [](auto& m) { m.PutFile("C:\\kr", "a file"); },
                   {"The folder C:\\kr\\ could not be created: Cannot create a file when that "
                    "file already exists.",
                    "The file C:\\kr\\file0.dat could not be written: The system cannot find "
                    "the path specified."},
                   0},
        WriteFault{"DateNoFileTimeCanHold",
                   [](auto& m) {
                       m.SetResource("rs_qdb2", BuildPayloadContainer("file3.dat", 0xFFFFFFFF,
                                                                      Contents(3), 1));
                   },
                   {"The file C:\\kr\\file3.dat was written, but its date could not be set: "
                    "The parameter is incorrect."},
                   10},
        WriteFault{"ReadOnlyFileThenCancel",
                   [](auto& m) {
                       m.PutFile("C:\\kr\\file1.dat", "old");
                       m.AddAttributes("C:\\kr\\file1.dat", 0x01);
                   },
                   {"The file C:\\kr\\file1.dat could not be written: Access is denied."},
                   3,
                   kFirstFilePump + 3}),
    [](const auto& info) { return std::string(info.param.name); });

// A reinstall over files the user changed (same sizes, other bytes): each
// lands new with its date, its old bytes are kept where the drive allows,
// and the unchanged ones are simply replaced.
TEST_F(Run, AReinstallKeepsTheOldCopyOfEveryChangedFile) {
    using platform::DriveType;
    const auto Mine = [](int i) { return std::string(Contents(i).size(), 'x'); };
    struct Case {
        const char* name;
        char drive;
        DriveType type;
        std::vector<int> changed;
        int cancelPump;     // 0: none
        std::string where;  // the copies' folder; empty for the bin
        int kept;
    };
    for (const Case& c : {
             Case{"fixed: the bin", 'C', DriveType::Fixed, {3}, 0, "", 1},
             Case{"removable: the next free folder",
                  'E',
                  DriveType::Removable,
                  {3, 4},
                  0,
                  "E:\\kr\\KEPT0002",
                  2},
             Case{"network, cancelled after the first file",
                  'N',
                  DriveType::Remote,
                  {0, 5},
                  kFirstFilePump,
                  "N:\\kr\\KEPT0001",
                  1},
         }) {
        machine.AddDrive(c.drive, c.type);
        const std::string folder = std::string(1, c.drive) + ":\\kr\\";
        if (c.where.ends_with("2")) {
            machine.PutFolder(folder + "KEPT0001");  // an earlier run's
        }
        for (int i = 0; i < 10; ++i) {
            const bool changed = std::count(c.changed.begin(), c.changed.end(), i) > 0;
            machine.PutFile(folder + FileName(i), changed ? Mine(i) : Contents(i));
        }
        machine.PutFile(folder + "dorn.exe");
        PumpScript script;
        script.At(c.cancelPump != 0 ? c.cancelPump : kFinalWaitPump, Click("btnCancel"));
        BoxScript shown;
        const std::size_t recycledBefore = machine.recycled().size();
        EXPECT_EQ(RunInstallation(folder), c.cancelPump == 0) << c.name;
        for (std::size_t k = 0; k < static_cast<std::size_t>(c.kept); ++k) {
            const int i = c.changed[k];
            EXPECT_EQ(machine.ReadFile(folder + FileName(i)), Contents(i)) << c.name;
            EXPECT_EQ(machine.DosDateOf(folder + FileName(i)), Date(i)) << c.name;
            EXPECT_EQ(c.where.empty() ? machine.RecycledBytes(recycledBefore + k)
                                      : machine.ReadFile(c.where + "\\" + FileName(i)),
                      Mine(i))
                << c.name;
        }
        EXPECT_EQ(machine.recycled().size() - recycledBefore, c.where.empty() ? c.kept : 0u);
        const std::string where = c.where.empty() ? "the Recycle Bin" : c.where;
        const std::string notice =
            c.kept == 1 ? "The old copy of 1 changed file was kept in " + where + "."
                        : "The old copies of 2 changed files were kept in " + where + ".";
        ASSERT_EQ(shown.shown().size(), 1u);
        EXPECT_TRUE(shown.shown()[0].text.ends_with(".\r\n\r\n" + notice)) << shown.shown()[0].text;
    }
}

TEST_F(Run, AnOldCopyThatCannotBeKeptLeavesTheFileAsItWasAndFailsTheRun) {
    machine.AddDrive('E', platform::DriveType::Removable);
    machine.PutFile("E:\\kr\\" + FileName(3), "mine");
    machine.LockFile("E:\\kr\\" + FileName(3));
    pumps.At(kFinalWaitPump, Click("btnCancel"));  // OK
    EXPECT_FALSE(RunInstallation("E:\\kr"));
    EXPECT_EQ(machine.ReadFile("E:\\kr\\" + FileName(3)), "mine");
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text,
              "The installation failed:\r\nThe file E:\\kr\\file3.dat could not be written: The "
              "process cannot access the file because it is being used by another process.");
}
