// Builds the installer's payload: reads the manifest, packs each item's file
// into a scrambled container and writes the containers and a resource script
// that embeds them as RCDATA under the items' names in upper case.
//
//   payload_builder MANIFEST BUILD_FOLDER OUTPUT_FOLDER
//
// Sources are found beside the manifest, or in BUILD_FOLDER when the manifest
// says "build:name". The output holds <item>.bin per item and payload.rc.
// Exit code 0 on success, 1 with a message naming the item when the manifest
// cannot be honoured, 2 for a wrong command line.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

#include "install/payload_loader.h"
#include "tools/payload/manifest.h"
#include "tools/payload/payload_writer.h"

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

std::string Upper(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return text;
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

void Build(const fs::path& manifestPath, const fs::path& buildFolder, const fs::path& outFolder) {
    const std::vector<ManifestEntry> entries = ParseManifest(ReadWholeFile(manifestPath));
    CheckManifest(entries);
    fs::create_directories(outFolder);

    std::string rc =
        "// Made by payload_builder from " + manifestPath.filename().string() + "; do not edit.\n";
    for (const ManifestEntry& entry : entries) {
        const fs::path source = SourcePath(entry, manifestPath.parent_path(), buildFolder);
        std::error_code error;
        if (!fs::is_regular_file(source, error)) {
            throw std::runtime_error("item " + entry.item + ": file " + source.string() +
                                     " is missing");
        }
        const std::string contents = ReadWholeFile(source);
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
        rc += Upper(entry.item) + " RCDATA " + RcQuoted(container) + "\n";
        std::printf("%-12s %-14s %9zu bytes -> %7zu stored\n", entry.item.c_str(),
                    entry.fileName.c_str(), contents.size(), stored.size());
    }
    WriteWholeFile(outFolder / "payload.rc", rc);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: payload_builder MANIFEST BUILD_FOLDER OUTPUT_FOLDER\n");
        return 2;
    }
    try {
        Build(argv[1], argv[2], argv[3]);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "payload_builder: %s\n", error.what());
        return 1;
    }
    return 0;
}
