#pragma once

#include <cstdio>
#include <filesystem>

// Builds the installer's payload: reads the manifest, packs each item's file
// into a scrambled container and writes <item>.bin per item into outFolder,
// with payload.rc, a resource script that embeds them as RCDATA under the
// items' names in upper case. Sources are found beside the manifest, or in
// buildFolder when the manifest says "build:name". One line per item goes to
// log. Raises std::runtime_error, naming the item, for a manifest the
// installer could not honour or a source file that is missing.
void BuildPayload(const std::filesystem::path& manifestPath,
                  const std::filesystem::path& buildFolder, const std::filesystem::path& outFolder,
                  std::FILE* log);
