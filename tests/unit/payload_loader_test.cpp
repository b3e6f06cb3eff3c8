#include "install/payload_loader.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/sim/sim_machine.h"
#include "tests/unit/payload_test_support.h"
#include "util/errors.h"

using payload_test::Container;
using payload_test::RawItem;
using payload_test::Scrambled;
using payload_test::SoundItem;
using payload_test::ZlibStream;

namespace {

class PayloadLoader : public ::testing::Test {
  protected:
    void Store(const std::string& resource, const RawItem& raw) {
        machine_.SetResource(resource, Scrambled(Container(raw)));
    }

    // Loads rs_test and returns the format error's text, or "" when none.
    std::string FormatError(const std::string& stored) {
        machine_.SetResource("RS_TEST", stored);
        try {
            LoadPayloadItem("rs_test");
        } catch (const EPayloadFormatError& error) {
            return error.what();
        }
        return "";
    }
    std::string FormatError(const RawItem& raw) { return FormatError(Scrambled(Container(raw))); }

    platform::sim::Machine machine_;
};

}  // namespace

TEST_F(PayloadLoader, FindsTheItemWithoutRegardToCase) {
    Store("RS_CMD", SoundItem("tessaly.exe", "MZ demo"));
    const tInstItem item = LoadPayloadItem("rs_cmd");
    EXPECT_EQ(item.FileName, "tessaly.exe");
    EXPECT_EQ(item.Contents, "MZ demo");
    // The item is read where it lies, which on Windows is read-only memory:
    // unscrambling it there would crash, and a second load would fail here.
    EXPECT_EQ(LoadPayloadItem("RS_Cmd").Contents, "MZ demo");
}

TEST_F(PayloadLoader, MissingItemRaisesWithTheNameAsAsked) {
    try {
        LoadPayloadItem("Rs_Missing");
        FAIL() << "no error";
    } catch (const EResNotFound& error) {
        EXPECT_STREQ(error.what(), "Resource Rs_Missing not found");
    }
}

TEST_F(PayloadLoader, GivesNameDateAndContentsAsStored) {
    const std::string name(30, 'n');
    RawItem raw = SoundItem(name, "contents\r\n", 0x27702B00);
    raw.date = 0x89ABCDEF;  // any 32 bits travel unchanged
    Store("RS_A", raw);
    const tInstItem item = LoadPayloadItem("rs_a");
    EXPECT_EQ(item.FileName, name);  // a length of 30 uses the whole field
    EXPECT_EQ(item.FileDate, 0x89ABCDEFu);
    EXPECT_EQ(item.Contents, "contents\r\n");

    // Only as many name bytes as the length byte says are read.
    raw = SoundItem("f", "x");
    raw.nameField = "f.txt-and-filler";
    Store("RS_B", raw);
    EXPECT_EQ(LoadPayloadItem("rs_b").FileName, "f");
}

TEST_F(PayloadLoader, SizeZeroWithAnEmptyStreamGivesEmptyContents) {
    Store("RS_EMPTY", SoundItem("empty.txt", ""));
    const tInstItem item = LoadPayloadItem("rs_empty");
    EXPECT_EQ(item.Contents, "");
    EXPECT_EQ(item.FileName, "empty.txt");
}

TEST_F(PayloadLoader, BrokenStreamsRaiseError) {
    RawItem headerOnly = SoundItem("f", "");
    headerOnly.stream.clear();  // exactly 47 bytes
    Store("RS_47", headerOnly);
    EXPECT_THROW(LoadPayloadItem("rs_47"), EDecompressionError);

    RawItem cut = SoundItem("f", std::string(5000, 'x') + "tail");
    cut.stream.resize(cut.stream.size() - 3);
    Store("RS_CUT", cut);
    try {
        LoadPayloadItem("rs_cut");
        FAIL() << "no error";
    } catch (const EDecompressionError& error) {
        EXPECT_STREQ(error.what(), "Error");
    }
}

TEST_F(PayloadLoader, ItemsShorterThanTheHeaderAreRefused) {
    for (std::size_t length : {0u, 1u, 17u, 46u}) {
        EXPECT_EQ(FormatError(Scrambled(std::string(length, 'x'))),
                  "Resource rs_test is damaged: it is shorter than its 47-byte header.")
            << length;
    }
}

TEST_F(PayloadLoader, NameLengthsOutsideOneToThirtyAreRefused) {
    RawItem raw = SoundItem("f", "x");
    raw.nameLength = 31;
    EXPECT_EQ(FormatError(raw),
              "Resource rs_test is damaged: its file name is longer than 30 characters.");
    raw.nameLength = 255;
    EXPECT_NE(FormatError(raw), "");
    // An empty name would make the run write to the install folder itself.
    raw.nameLength = 0;
    EXPECT_EQ(FormatError(raw), "Resource rs_test is damaged: its file name is empty.");
}

TEST_F(PayloadLoader, NamesThatCouldLeaveTheInstallFolderAreRefused) {
    EXPECT_EQ(FormatError(SoundItem("..\\..\\autoexec.bat", "x")),
              "Resource rs_test is damaged: its file name holds a folder part.");
    EXPECT_EQ(FormatError(SoundItem("C:boot.ini", "x")),
              "Resource rs_test is damaged: its file name names a drive or a stream.");
    EXPECT_EQ(FormatError(SoundItem("..", "x")),
              "Resource rs_test is damaged: its file name names a folder, not a file.");
    EXPECT_NE(FormatError(SoundItem(std::string("a\0b", 3), "x")), "");
    EXPECT_NE(FormatError(SoundItem("PRN", "x")), "");
}

TEST_F(PayloadLoader, StreamThatDisagreesWithTheSizeFieldIsRefused) {
    RawItem raw = SoundItem("f", "0123456789");
    raw.size = 9;
    EXPECT_EQ(FormatError(raw),
              "Resource rs_test is damaged: it unpacks to 10 bytes, not the 9 its header gives.");
    raw.size = 11;
    EXPECT_EQ(FormatError(raw),
              "Resource rs_test is damaged: it unpacks to 10 bytes, not the 11 its header gives.");
    raw.size = 0;
    EXPECT_NE(FormatError(raw), "");
}

// A size field is an allocation; one that no stream of this length could fill
// is refused before anything is allocated from it.
TEST_F(PayloadLoader, ImpossibleSizeFieldIsRefusedBeforeAllocating) {
    RawItem raw = SoundItem("f", "x");
    raw.size = 0xFFFFFFFFu;
    EXPECT_EQ(FormatError(raw),
              "Resource rs_test is damaged: its header gives 4294967295 bytes, more than its "
              "stream can hold.");

    // The most compressible data stays within the bound.
    const std::string zeros(4 << 20, '\0');
    Store("RS_ZEROS", SoundItem("zeros.bin", zeros));
    EXPECT_EQ(LoadPayloadItem("rs_zeros").Contents.size(), zeros.size());
}
