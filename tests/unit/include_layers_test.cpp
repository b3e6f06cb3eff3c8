#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <string>
#include <vector>

namespace {

// Each folder's layer, lowest first. A file includes headers of its own layer
// and those below it only, so each layer builds and is tested without those
// above it.
const std::map<std::string, int> kLayer = {
    {"platform", 0}, {"util", 1},      {"ui", 2},          {"widgets", 3}, {"messages", 3},
    {"install", 4},  {"uninstall", 4}, {"integration", 4}, {"app", 5},
};

}  // namespace

TEST(IncludeLayers, NoIncludePointsToAFolderAbove) {
    namespace fs = std::filesystem;
    const fs::path root = TESSALY_SOURCE_DIR;
    const std::regex include(R"re(^\s*#\s*include\s*"((\w+)/[^"]+)")re");
    std::vector<std::string> upward;
    for (const auto& [folder, layer] : kLayer) {
        for (const auto& entry : fs::recursive_directory_iterator(root / folder)) {
            std::ifstream file(entry.path());
            std::string line;
            std::smatch match;
            while (entry.is_regular_file() && std::getline(file, line)) {
                if (!std::regex_search(line, match, include)) {
                    continue;
                }
                const auto target = kLayer.find(match[2].str());
                const std::string found =
                    fs::relative(entry.path(), root).generic_string() + " -> " + match[1].str();
                if (target != kLayer.end() && target->second > layer) {
                    upward.push_back(found);
                }
            }
        }
    }
    EXPECT_TRUE(upward.empty()) << ::testing::PrintToString(upward);
}
