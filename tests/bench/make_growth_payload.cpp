// Makes the files and manifest of a synthetic payload of about MEGABYTES,
// for the test-only builds of the growth benchmark (tests/bench/growth.cmake):
//
//   make_growth_payload MANIFEST DEMO_FOLDER MEGABYTES OUT_FOLDER
//
// The payload keeps the demo payload's layout: the same ten items in the
// same order, with the same file names and dates, each file as large as its
// demo file scaled so that all ten add up to MEGABYTES MiB. The contents are
// synthetic (tests/bench/synthetic_contents.h), so that they store at about
// half their size. Writes the files into OUT_FOLDER/files and the payload
// builder's manifest for them as OUT_FOLDER/manifest.txt. Exit code 0 on
// success, 1 when the manifest or a demo file cannot be read, 2 on bad
// arguments.

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/bench/synthetic_contents.h"
#include "tools/payload/manifest.h"

namespace fs = std::filesystem;

namespace {

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The manifest again, each item's source replaced by its file in the
// synthetic build folder.
std::string SyntheticManifest(const std::string& manifest) {
    std::istringstream lines(manifest);
    std::string line, out;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string item, fileName, date, time;
        if (line.empty() || line[0] == '#' || !(fields >> item >> fileName >> date >> time)) {
            continue;
        }
        out += item + " " + fileName + " " + date + " " + time + " build:" + fileName + "\n";
    }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5 || std::atoi(argv[3]) <= 0) {
        std::fprintf(stderr, "usage: make_growth_payload MANIFEST DEMO_FOLDER MEGABYTES OUT\n");
        return 2;
    }
    try {
        const fs::path manifestPath = argv[1], demo = argv[2], out = argv[4];
        const std::string manifest = ReadText(manifestPath);
        const std::vector<ManifestEntry> entries = ParseManifest(manifest);
        std::vector<std::uintmax_t> demoSizes;
        std::uintmax_t demoTotal = 0;
        for (const ManifestEntry& entry : entries) {
            demoSizes.push_back(fs::file_size(SourcePath(entry, manifestPath.parent_path(), demo)));
            demoTotal += demoSizes.back();
        }
        const double scale =
            static_cast<double>(std::atoi(argv[3])) * (1 << 20) / static_cast<double>(demoTotal);
        fs::create_directories(out / "files");
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const auto length = static_cast<std::size_t>(static_cast<double>(demoSizes[i]) * scale);
            const std::string contents =
                SyntheticContents(length == 0 ? 1 : length, 0x9E3779B9u * (i + 1));
            std::ofstream(out / "files" / entries[i].fileName, std::ios::binary)
                .write(contents.data(), static_cast<std::streamsize>(contents.size()));
        }
        std::ofstream(out / "manifest.txt", std::ios::binary) << SyntheticManifest(manifest);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "make_growth_payload: %s\n", error.what());
        return 1;
    }
    return 0;
}
