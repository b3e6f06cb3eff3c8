#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The contents as one zlib stream at that compression level.
std::string Compress(std::string_view contents, int level = 9);

// Adds the repeating key to the first length bytes of buffer, modulo 256: the
// inverse of UnscrambleBuffer. Does nothing when the key is empty.
void ScrambleBuffer(std::string_view key, char* buffer, std::size_t length);

// One payload item as the installer stores it: the 47-byte header with the
// file's name, MS-DOS date-time and length, the contents as a zlib stream, and
// the whole scrambled with the payload key. The name must already have been
// judged safe and at most 30 characters long; a longer one raises
// std::invalid_argument rather than overrun its field. The builder packs at
// zlib's best compression; tests that make large items may ask for less.
std::string BuildPayloadContainer(std::string_view fileName, std::uint32_t dosDateTime,
                                  std::string_view contents, int level = 9);
