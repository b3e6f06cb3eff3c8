#pragma once

#include <cstddef>
#include <string_view>

// Subtracts the repeating key from the first length bytes of buffer, in place,
// modulo 256: byte i loses key byte i mod key length. Does nothing when the
// key is empty or length is 0.
void UnscrambleBuffer(std::string_view key, char* buffer, std::size_t length);
