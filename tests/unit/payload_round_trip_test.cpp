// The demo payload as the native build made it: every container the builder
// wrote must come back through the installer's loader as the very file, name
// and date the manifest gave it.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "install/payload_loader.h"
#include "platform/sim/sim_machine.h"
#include "tools/payload/manifest.h"

namespace fs = std::filesystem;

namespace {

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in) << path;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<ManifestEntry> DemoManifest() {
    return ParseManifest(ReadFile(TESSALY_PAYLOAD_MANIFEST));
}

}  // namespace

TEST(DemoPayload, EveryItemUnpacksToItsSourceWithNameAndDate) {
    platform::sim::Machine machine;
    const std::vector<ManifestEntry> entries = DemoManifest();
    ASSERT_EQ(entries.size(), 10u);
    for (const ManifestEntry& entry : entries) {
        const std::string stored = ReadFile(fs::path(TESSALY_PAYLOAD_DIR) / (entry.item + ".bin"));
        std::string upper = entry.item;
        for (char& c : upper) {
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
        machine.SetResource(upper, stored);

        const tInstItem item = LoadPayloadItem(entry.item);
        const fs::path source =
            SourcePath(entry, fs::path(TESSALY_PAYLOAD_MANIFEST).parent_path(), TESSALY_DEMO_DIR);
        const std::string expected = ReadFile(source);
        EXPECT_EQ(item.FileName, entry.fileName) << entry.item;
        EXPECT_EQ(item.FileDate, entry.dosDateTime) << entry.item;
        EXPECT_EQ(item.Contents.size(), expected.size()) << entry.item;
        EXPECT_TRUE(item.Contents == expected) << entry.item;
        // Stored scrambled: the name does not show in the stored header.
        EXPECT_NE(stored.substr(17, entry.fileName.size()), entry.fileName) << entry.item;
    }
}

// Later steps start, print with and point shortcuts at these files by name.
TEST(DemoPayload, CarriesTheProgramsAndIconLaterStepsRelyOn) {
    std::set<std::string> names;
    for (const ManifestEntry& entry : DemoManifest()) {
        names.insert(entry.fileName);
    }
    for (const char* name : {"dornw.exe", "tessaly.exe", "tesicon.ico", "pr32.exe", "readme.txt"}) {
        EXPECT_EQ(names.count(name), 1u) << name;
    }
    const fs::path demo = TESSALY_DEMO_DIR;
    EXPECT_EQ(ReadFile(demo / "dornw.exe").substr(0, 2), "MZ");
    EXPECT_EQ(ReadFile(demo / "tessaly.exe").substr(0, 2), "MZ");
    const std::string pr32 = ReadFile(demo / "pr32.exe");
    ASSERT_GT(pr32.size(), 0x40u);
    const auto peOffset =
        static_cast<unsigned char>(pr32[0x3C]) | static_cast<unsigned char>(pr32[0x3D]) << 8;
    EXPECT_EQ(pr32.substr(peOffset, 4), std::string("PE\0\0", 4));
    EXPECT_EQ(ReadFile(demo / "tesicon.ico").substr(0, 4), std::string("\0\0\1\0", 4));
}
