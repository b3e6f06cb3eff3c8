#include "util/shell_helpers.h"

#include <gtest/gtest.h>

#include "platform/sim/sim_machine.h"
#include "util/errors.h"

using platform::sim::Machine;

TEST(GetSpecialFolderPath, AnswersOrGivesEmpty) {
    Machine machine;
    EXPECT_EQ(GetSpecialFolderPath(platform::kCsidlWindows), "C:\\WINDOWS");
    machine.SetSpecialFolder(platform::kCsidlWindows, std::nullopt);
    EXPECT_EQ(GetSpecialFolderPath(platform::kCsidlWindows), "");
    EXPECT_EQ(GetSpecialFolderPath(12345), "");
}

TEST(CreateInstallFolder, AnExistingFolderSucceedsUnchanged) {
    Machine machine;
    machine.PutFolder("C:\\kr");
    std::string path = "C:\\kr\\";
    EXPECT_TRUE(CreateInstallFolder(path));
    EXPECT_EQ(path, "C:\\kr\\");
}

TEST(CreateInstallFolder, MissingParentsAreCreatedOutermostFirst) {
    Machine machine;
    std::string path = "C:\\vantrel\\kr\\sub\\";
    EXPECT_TRUE(CreateInstallFolder(path));
    EXPECT_EQ(path, "C:\\vantrel\\kr\\sub\\");
    EXPECT_EQ(platform::FileAttributesOf("C:\\vantrel\\kr\\sub") & platform::kAttributeDirectory,
              platform::kAttributeDirectory);
}

TEST(CreateInstallFolder, ARelativePathIsTakenFromTheCurrentDirectory) {
    Machine machine;
    machine.AddDrive('D', platform::DriveType::Fixed);
    machine.PutFolder("D:\\work");
    machine.SetCurrentDirectory("D:\\work");
    std::string path = "kr\\";
    EXPECT_TRUE(CreateInstallFolder(path));
    EXPECT_EQ(path, "D:\\work\\kr");
    EXPECT_TRUE(machine.Exists("D:\\work\\kr"));
}

TEST(CreateInstallFolder, FailureLeavesThePathAlone) {
    Machine machine;
    machine.PutFile("C:\\kr", "a file where the folder should go");
    std::string path = "C:\\kr\\sub\\";
    EXPECT_FALSE(CreateInstallFolder(path));
    EXPECT_EQ(path, "C:\\kr\\sub\\");

    std::string noDrive = "Q:\\kr\\";
    EXPECT_FALSE(CreateInstallFolder(noDrive));
    EXPECT_EQ(noDrive, "Q:\\kr\\");

    std::string empty;
    EXPECT_FALSE(CreateInstallFolder(empty));
}

namespace {
// The names in a folder, to see that no staging file is left behind.
std::vector<std::string> Listing(const std::string& pattern) {
    std::vector<std::string> names;
    for (const auto& entry : Machine::Current().List(pattern)) {
        names.push_back(entry.name);
    }
    return names;
}
}  // namespace

TEST(WriteStringToFile, ReplacesTheWholeFile) {
    Machine machine;
    machine.PutFile("C:\\kr\\a.txt", "a much longer old content");
    EXPECT_TRUE(WriteStringToFile("C:\\kr\\a.txt", std::string("new\0bytes", 9)));
    EXPECT_EQ(machine.ReadFile("C:\\kr\\a.txt"), std::string("new\0bytes", 9));
    EXPECT_TRUE(WriteStringToFile("C:\\kr\\b.txt", "fresh"));
    EXPECT_EQ(Listing("C:\\kr\\*.*"), (std::vector<std::string>{".", "..", "a.txt", "b.txt"}));
}

TEST(WriteStringToFile, AShortWriteKeepsTheOldFileAndLeavesNoTrace) {
    Machine machine;
    machine.PutFile("C:\\kr\\a.txt", "old and complete");
    machine.SetWriteLimit(3);  // the disk fills up after three bytes
    EXPECT_FALSE(WriteStringToFile("C:\\kr\\a.txt", "a new and longer content"));
    EXPECT_EQ(machine.ReadFile("C:\\kr\\a.txt"), "old and complete");
    EXPECT_FALSE(WriteStringToFile("C:\\kr\\new.txt", "not enough room"));
    EXPECT_FALSE(machine.Exists("C:\\kr\\new.txt"));
    EXPECT_EQ(Listing("C:\\kr\\*.*"), (std::vector<std::string>{".", "..", "a.txt"}));
}

TEST(WriteStringToFile, EmptyContentsRemoveTheFile) {
    Machine machine;
    machine.PutFile("C:\\kr\\a.txt", "old");
    WriteStringToFile("C:\\kr\\a.txt", "");
    EXPECT_FALSE(machine.Exists("C:\\kr\\a.txt"));
    // A missing file is no error either.
    WriteStringToFile("C:\\kr\\missing.txt", "");
    EXPECT_FALSE(machine.Exists("C:\\kr\\missing.txt"));
}

TEST(WriteStringToFile, ALockedOrReadOnlyTargetKeepsItsOldContents) {
    Machine machine;
    machine.PutFile("C:\\kr\\locked.txt", "old");
    machine.LockFile("C:\\kr\\locked.txt");
    EXPECT_FALSE(WriteStringToFile("C:\\kr\\locked.txt", "new"));
    EXPECT_EQ(machine.ReadFile("C:\\kr\\locked.txt"), "old");

    machine.PutFile("C:\\kr\\ro.txt", "old");
    machine.AddAttributes("C:\\kr\\ro.txt", 0x01);
    WriteStringToFile("C:\\kr\\ro.txt", "new");
    EXPECT_EQ(machine.ReadFile("C:\\kr\\ro.txt"), "old");

    // A missing folder: nothing is written, nothing is raised.
    EXPECT_FALSE(WriteStringToFile("C:\\nowhere\\x.txt", "new"));
    EXPECT_FALSE(machine.Exists("C:\\nowhere\\x.txt"));
    EXPECT_EQ(Listing("C:\\kr\\*.*"),
              (std::vector<std::string>{".", "..", "locked.txt", "ro.txt"}));
}

TEST(DeleteFilesByMask, SendsMatchingFilesToTheRecycleBinSilently) {
    Machine machine;
    machine.PutFile("C:\\kr\\dosbox.conf", "1");
    machine.PutFile("C:\\kr\\old.conf", "2");
    machine.PutFile("C:\\kr\\keep.txt", "3");
    EXPECT_TRUE(DeleteFilesByMask("C:\\kr\\*.conf"));
    ASSERT_EQ(machine.shellDeletes().size(), 1u);
    EXPECT_EQ(machine.shellDeletes()[0].mask, "C:\\kr\\*.conf");
    EXPECT_EQ(machine.shellDeletes()[0].flags, 0x0654u);
    EXPECT_EQ(machine.recycled(), (std::vector<std::string>{"dosbox.conf", "old.conf"}));
    EXPECT_TRUE(machine.Exists("C:\\kr\\keep.txt"));
    EXPECT_FALSE(DeleteFilesByMask("C:\\kr\\*.conf"));  // nothing left to match
}

TEST(Is64BitWindows, FollowsTheWow64Answer) {
    Machine machine;
    machine.SetWow64(platform::Wow64Answer::Yes);
    EXPECT_TRUE(Is64BitWindows());
    machine.SetWow64(platform::Wow64Answer::No);
    EXPECT_FALSE(Is64BitWindows());
    // Older systems lack the query: they are 32-bit, and that is no error.
    machine.SetWow64(platform::Wow64Answer::QueryAbsent);
    EXPECT_FALSE(Is64BitWindows());
    machine.SetWow64(platform::Wow64Answer::QueryFailed);
    try {
        Is64BitWindows();
        FAIL() << "a failed query must raise";
    } catch (const EBadProcessHandle& error) {
        EXPECT_STREQ(error.what(), "Bad process handle");
    }
}
