#include "tools/payload/payload_build.h"

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "install/payload_loader.h"
#include "tools/payload/manifest.h"
#include "tools/payload/payload_writer.h"
#include "util/path_helpers.h"

namespace fs = std::filesystem;

namespace {

std::string ReadWholeFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + path.string());
    }
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteWholeFile(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

// windres reads the file names as C strings.
std::string RcQuoted(const fs::path& path) {
    std::string out = "\"";
    for (char c : path.generic_string()) {
        if (c == '"' || c == '\\') {
            out += '\\';
        }
        out += c;
    }
    return out + "\"";
}

}  // namespace

void BuildPayload(const fs::path& manifestPath, const fs::path& buildFolder,
                  const fs::path& outFolder, std::FILE* log) {
    const std::vector<ManifestEntry> entries = ParseManifest(ReadWholeFile(manifestPath));
    CheckManifest(entries);
    // Every source is looked for before anything is written, so a refused
    // manifest leaves no half-made payload behind.
    std::vector<fs::path> sources;
    for (const ManifestEntry& entry : entries) {
        sources.push_back(SourcePath(entry, manifestPath.parent_path(), buildFolder));
        std::error_code error;
        if (!fs::is_regular_file(sources.back(), error)) {
            throw std::runtime_error("item " + entry.item + ": file " + sources.back().string() +
                                     " is missing");
        }
    }
    fs::create_directories(outFolder);

    std::string rc =
        "// Made by payload_builder from " + manifestPath.filename().string() + "; do not edit.\n";
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const ManifestEntry& entry = entries[i];
        const std::string contents = ReadWholeFile(sources[i]);
        const std::string stored =
            BuildPayloadContainer(entry.fileName, entry.dosDateTime, contents);

        // The installer's own loader must give back what went in; a payload
        // that fails here would only fail later, on the user's machine.
        const tInstItem check = UnpackPayloadItem(entry.item, stored);
        if (check.Contents != contents || check.FileName != entry.fileName ||
            check.FileDate != entry.dosDateTime) {
            throw std::runtime_error("item " + entry.item + ": does not unpack to its source");
        }

        const fs::path container = fs::absolute(outFolder / (entry.item + ".bin"));
        WriteWholeFile(container, stored);
        rc += UpperAscii(entry.item) + " RCDATA " + RcQuoted(container) + "\n";
        std::fprintf(log, "%-12s %-14s %9zu bytes -> %7zu stored\n", entry.item.c_str(),
                     entry.fileName.c_str(), contents.size(), stored.size());
    }
    WriteWholeFile(outFolder / "payload.rc", rc);
}
