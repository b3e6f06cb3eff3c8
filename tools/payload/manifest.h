#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// One line of the payload manifest: which file an item carries, under which
// name and date, and where the builder finds its bytes.
struct ManifestEntry {
    std::string item;      // the resource name, e.g. rs_cmd
    std::string fileName;  // the name the file is installed under
    std::uint32_t dosDateTime = 0;
    std::string source;  // "name" beside the manifest, or "build:name" among the build's files
    int line = 0;
};

// Reads a manifest: one item per line as
//   item  file-name  YYYY-MM-DD  HH:MM:SS  source
// with blank lines and lines starting with '#' ignored. Raises
// std::runtime_error naming the line for a line it cannot read; what the
// fields say is judged by CheckManifest.
std::vector<ManifestEntry> ParseManifest(const std::string& text);

// An MS-DOS date-time (date in the high 16 bits) from its parts, or nothing
// when they cannot be stored: years 1980 to 2107, a real calendar day, and
// even seconds, since the format keeps seconds in steps of two.
std::optional<std::uint32_t> MakeDosDateTime(int year, int month, int day, int hour, int minute,
                                             int second);

// Refuses a manifest the installer could not honour: items missing, extra or
// out of the installer's order, and file names that are too long, hold a
// folder part or are otherwise unsafe. Raises std::runtime_error whose text
// names the item.
void CheckManifest(const std::vector<ManifestEntry>& entries);

// Where an entry's bytes are: beside the manifest, or in the build's folder
// for a "build:" source.
std::filesystem::path SourcePath(const ManifestEntry& entry,
                                 const std::filesystem::path& manifestFolder,
                                 const std::filesystem::path& buildFolder);
