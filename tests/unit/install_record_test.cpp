#include "uninstall/install_record.h"

#include <gtest/gtest.h>

#include <functional>

#include "integration/shortcut.h"
#include "platform/sim/sim_machine.h"
#include "util/command_line.h"

namespace {

const Shortcut kLauncher = {"c:\\program files\\dosbox-0.74\\dosbox.exe",
                            "-noconsole -conf \"C:\\my kr\\dosbox.conf\"",
                            "Tessaly",
                            "C:\\my kr\\tesicon.ico",
                            0,
                            0};

}  // namespace

TEST(InstallRecord, ReadsBackWhatItWroteAndRefusesWhatItDidNot) {
    InstallRecord record;
    record.entryKey = "Vantrel Tessaly 2";
    record.folder = "C:\\my kr\\";
    record.AddFile("tessaly.exe");
    record.AddFile("TESSALY.EXE");  // once
    record.config = "C:\\my kr\\dornw.exe";
    record.AddShortcut({"C:\\Desk\\Tesicon DOSbox.lnk", kLauncher});
    Shortcut print = {"C:\\my kr\\pr32.exe", "f", "Print File f (CTRL+ALT+P)", "i.ico", 3, 0x0650};
    record.AddShortcut({"C:\\Desk\\Print F.lnk", print});
    print.target = "D:\\kr\\pr32.exe";
    record.AddShortcut({"c:\\desk\\print f.lnk", print});  // replaces the one of that file
    ASSERT_EQ(record.shortcuts.size(), 2u);

    const auto back = InstallRecord::Parse(record.Serialise());
    ASSERT_TRUE(back);
    EXPECT_EQ(back->entryKey, record.entryKey);
    EXPECT_EQ(back->folder, record.folder);
    EXPECT_EQ(back->files, std::vector<std::string>{"tessaly.exe"});
    EXPECT_EQ(back->config, record.config);
    EXPECT_EQ(back->shortcuts, record.shortcuts);

    const std::string good = record.Serialise();
    for (const std::string& bad : {
             std::string(), "Some other file\r\n" + good,
             good + "link\tC:\\x.lnk\tt\ta\td\ti\tnot a number\t0\r\n",
             good + "link\tC:\\x.lnk\tt\ta\td\ti\t0\t70000\r\n", good + "file\ta\tb\r\n",
             std::string("Tessaly uninstall record 1\r\nfolder\tC:\\kr\\\r\n"),  // no key
         }) {
        EXPECT_FALSE(InstallRecord::Parse(bad)) << bad;
    }
    EXPECT_TRUE(InstallRecord::Parse(good + "later\tkinds are passed over\r\n"));
}

TEST(InstallRecord, NamesInAnyScriptAndRecordsOfEarlierVersions) {
    const platform::sim::Machine machine;  // its ANSI code page is 1252
    InstallRecord record;
    record.entryKey = "Vantrel Tessaly";
    record.folder = "C:\\\u0142\u00f3d\u017a\\\u738b\u4f1f\\";  // C:\łódź\王伟\ .
    record.AddShortcut({"C:\\users\\\u0142ukasz\\Desktop\\tessaly.lnk", kLauncher});
    const auto back = InstallRecord::Parse(record.Serialise());
    ASSERT_TRUE(back);
    EXPECT_EQ(back->folder, record.folder);
    EXPECT_EQ(back->shortcuts, record.shortcuts);
    // A byte that is no UTF-8 in a record of this version is damage.
    EXPECT_FALSE(InstallRecord::Parse(record.Serialise() + "file\t\xE9.txt\r\n"));

    // An earlier version wrote 'C:\José\' in code page 1252.
    const auto earlier = InstallRecord::Parse(
        "Tessaly uninstall record 1\r\nkey\tVantrel Tessaly\r\nfolder\tC:\\Jos\xE9\\\r\n"
        "link\tC:\\users\\Ren\xE9"
        "e\\Desktop\\tessaly.lnk\tC:\\Jos\xE9\\tessaly.exe\t\t"
        "Tessaly\tC:\\Jos\xE9\\tesicon.ico\t0\t0\r\n");
    ASSERT_TRUE(earlier);
    EXPECT_EQ(earlier->folder, "C:\\Jos\u00e9\\");
    ASSERT_EQ(earlier->shortcuts.size(), 1u);
    EXPECT_EQ(earlier->shortcuts[0].linkFile, "C:\\users\\Ren\u00e9e\\Desktop\\tessaly.lnk");
    EXPECT_EQ(earlier->shortcuts[0].values.iconFile, "C:\\Jos\u00e9\\tesicon.ico");
}

TEST(HoldsWhatWasWritten, EveryValueCountsPathsIgnoreCase) {
    const platform::ShellLinkValues written = {kLauncher.target,
                                               "c:\\program files\\dosbox-0.74\\",
                                               kLauncher.arguments,
                                               kLauncher.description,
                                               kLauncher.iconFile,
                                               0,
                                               1,
                                               0};
    EXPECT_TRUE(HoldsWhatWasWritten(written, kLauncher));
    auto spelled = written;
    spelled.target = "C:\\Program Files\\DOSBox-0.74\\dosbox.exe";
    spelled.iconFile = "c:\\MY KR\\tesicon.ico";
    EXPECT_TRUE(HoldsWhatWasWritten(spelled, kLauncher));
    const std::function<void(platform::ShellLinkValues&)> changes[] = {
        [](auto& v) { v.target = "d:\\dosbox\\dosbox.exe"; },
        [](auto& v) { v.workingDirectory = "c:\\"; },
        [](auto& v) { v.arguments += " -fullscreen"; },
        [](auto& v) { v.description = "Mine"; },
        [](auto& v) { v.iconIndex = 1; },
        [](auto& v) { v.hotKey = 0x0651; },
        [](auto& v) { v.showCommand = 3; },
    };
    for (const auto& change : changes) {
        auto changed = written;
        change(changed);
        EXPECT_FALSE(HoldsWhatWasWritten(changed, kLauncher));
    }
}

TEST(SplitArguments, AsTheCRuntimeSplitsThem) {
    const struct {
        const char* line;
        std::vector<std::string> arguments;
    } cases[] = {
        {"", {}},
        {"  /uninstall   /quiet ", {"/uninstall", "/quiet"}},
        {"/uninstall-copy 1c 2a \"C:\\my folder\\u.exe\" /quiet",
         {"/uninstall-copy", "1c", "2a", "C:\\my folder\\u.exe", "/quiet"}},
        {"\"\" a\\\\b", {"", "a\\\\b"}},
        {"\"a\\\"b\" c\\\\\"d e\"", {"a\"b", "c\\d e"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SplitArguments(c.line), c.arguments) << c.line;
    }
}
