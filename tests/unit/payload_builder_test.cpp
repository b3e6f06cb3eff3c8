#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "tools/payload/manifest.h"
#include "tools/payload/payload_build.h"

namespace fs = std::filesystem;

namespace {

const char* const kItems[] = {"rs_cmd",  "rs_exe",   "rs_qdb1",     "rs_qdb2",   "rs_hlp",
                              "rs_icon", "rs_qdbv4", "rs_qdbv4add", "rs_readme", "rs_pr32"};

// A folder with a manifest of the ten items, each file beside it, in which a
// test can change one line before building.
class PayloadBuilder : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("payload_builder_test_" +
                   std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_ / "build");
        for (const char* item : kItems) {
            lines_.push_back(std::string(item) + " " + item + ".dat 1999-11-16 03:24:00 " + item +
                             ".src");
            Write(folder_ / (std::string(item) + ".src"), std::string("contents of ") + item);
        }
    }
    void TearDown() override { fs::remove_all(folder_); }

    static void Write(const fs::path& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    }

    // Builds and returns the builder's complaint, or "" when it built.
    std::string Build() {
        std::string manifest = "# test manifest\n\n";
        for (const std::string& line : lines_) {
            manifest += line + "\n";
        }
        Write(folder_ / "manifest.txt", manifest);
        std::FILE* log = std::tmpfile();
        try {
            BuildPayload(folder_ / "manifest.txt", folder_ / "build", folder_ / "out", log);
        } catch (const std::runtime_error& error) {
            std::fclose(log);
            return error.what();
        }
        std::fclose(log);
        return "";
    }

    fs::path folder_;
    std::vector<std::string> lines_;
};

}  // namespace

TEST(MakeDosDateTime, PacksDateHighAndTimeLowInTwoSecondSteps) {
    EXPECT_EQ(MakeDosDateTime(1999, 11, 16, 3, 24, 0),
              ((19u << 9 | 11u << 5 | 16u) << 16) | (3u << 11 | 24u << 5 | 0u));
    EXPECT_EQ(MakeDosDateTime(1980, 1, 1, 0, 0, 0), 0x00210000u);
    EXPECT_EQ(MakeDosDateTime(2107, 12, 31, 23, 59, 58), 0xFF9FBF7Du);
    EXPECT_EQ(MakeDosDateTime(2000, 2, 29, 12, 0, 2), ((20u << 9 | 2u << 5 | 29u) << 16) | 0x6001u);
}

TEST(MakeDosDateTime, RefusesWhatTheFormatCannotHold) {
    EXPECT_EQ(MakeDosDateTime(1979, 12, 31, 0, 0, 0), std::nullopt);
    EXPECT_EQ(MakeDosDateTime(2108, 1, 1, 0, 0, 0), std::nullopt);
    EXPECT_EQ(MakeDosDateTime(1999, 2, 29, 0, 0, 0), std::nullopt);
    EXPECT_EQ(MakeDosDateTime(1999, 4, 31, 0, 0, 0), std::nullopt);
    EXPECT_EQ(MakeDosDateTime(1999, 13, 1, 0, 0, 0), std::nullopt);
    EXPECT_EQ(MakeDosDateTime(1999, 1, 1, 24, 0, 0), std::nullopt);
    EXPECT_EQ(MakeDosDateTime(1999, 1, 1, 0, 0, 1), std::nullopt);  // odd seconds
}

TEST_F(PayloadBuilder, WritesTenContainersAndAResourceScriptInItemOrder) {
    lines_[5] = "rs_icon tesicon.ico 1998-04-03 09:15:00 build:made.ico";
    Write(folder_ / "build" / "made.ico", "icon");
    ASSERT_EQ(Build(), "");
    std::ifstream rc(folder_ / "out" / "payload.rc");
    std::string line, names;
    while (std::getline(rc, line)) {
        if (!line.starts_with("//")) {
            names += line.substr(0, line.find(' ')) + ",";
            EXPECT_NE(line.find(" RCDATA \""), std::string::npos) << line;
        }
    }
    EXPECT_EQ(names,
              "RS_CMD,RS_EXE,RS_QDB1,RS_QDB2,RS_HLP,RS_ICON,RS_QDBV4,RS_QDBV4ADD,RS_README,"
              "RS_PR32,");
    for (const char* item : kItems) {
        EXPECT_TRUE(fs::is_regular_file(folder_ / "out" / (std::string(item) + ".bin"))) << item;
    }
}

TEST_F(PayloadBuilder, RefusesNamesTheInstallerCouldNotHonour) {
    lines_[4] = "rs_hlp " + std::string(31, 'h') + " 1999-11-16 03:24:00 rs_hlp.src";
    EXPECT_EQ(Build(), "item rs_hlp: file name \"" + std::string(31, 'h') +
                           "\" is longer than 30 characters");
    lines_[4] = "rs_hlp help\\tessaly.hlp 1999-11-16 03:24:00 rs_hlp.src";
    EXPECT_EQ(Build(), "item rs_hlp: file name \"help\\tessaly.hlp\" holds a folder part");
    lines_[4] = "rs_hlp nul.hlp 1999-11-16 03:24:00 rs_hlp.src";
    EXPECT_EQ(Build(), "item rs_hlp: file name \"nul.hlp\" is a device name");
    EXPECT_FALSE(fs::exists(folder_ / "out"));
}

TEST_F(PayloadBuilder, RefusesAMissingFileBeforeWritingAnything) {
    lines_[9] = "rs_pr32 pr32.exe 1999-11-16 03:24:00 build:pr32.exe";
    const std::string error = Build();
    EXPECT_TRUE(error.starts_with("item rs_pr32: file ")) << error;
    EXPECT_TRUE(error.ends_with("pr32.exe is missing")) << error;
    EXPECT_FALSE(fs::exists(folder_ / "out"));
}

TEST_F(PayloadBuilder, RefusesItemsOutOfTheInstallersOrder) {
    std::swap(lines_[0], lines_[1]);
    EXPECT_TRUE(Build().starts_with("item rs_exe (manifest line 3): expected item rs_cmd here"));
    std::swap(lines_[0], lines_[1]);
    lines_.pop_back();
    EXPECT_EQ(Build(), "item rs_pr32: missing from the manifest");
    lines_.push_back("rs_pr32 pr32.exe 1999-11-16 03:24:00 rs_pr32.src");
    lines_.push_back("rs_conf dosbox.conf 1999-11-16 03:24:00 rs_pr32.src");
    EXPECT_EQ(Build(), "item rs_conf (manifest line 13): the installer reads no such item");
}

TEST_F(PayloadBuilder, RefusesLinesItCannotRead) {
    lines_[2] = "rs_qdb1 wheels6.qdb 1999-11-16 rs_qdb1.src";
    EXPECT_EQ(Build(), "manifest line 5: expected item, file name, date, time and source");
    lines_[2] = "rs_qdb1 wheels6.qdb 1999-11-16 03:24:01 rs_qdb1.src";
    EXPECT_EQ(Build(),
              "manifest line 5 (item rs_qdb1): 1999-11-16 03:24:01 cannot be stored as "
              "an MS-DOS date-time (1980-2107, even seconds)");
}
