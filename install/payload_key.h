#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The seed the payload key is made from. The payload builder scrambles with
// the key of this seed and the installer unscrambles with it, so both must be
// built from this one constant.
inline constexpr std::uint32_t kPayloadSeed = 0x2F7A3C19u;

inline constexpr std::size_t kPayloadKeyLength = 50;

// The 50-byte payload key. It is made afresh from the seed on every call, so
// it never depends on what drew from a generator before.
std::string BuildPayloadKey();
