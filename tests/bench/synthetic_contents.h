#pragma once

// Synthetic file contents for the benchmarks: stretches of 64 KiB that
// alternate between ticket listing text, which deflate packs well,
// and random bytes, which it cannot pack at all, so that a payload of them
// stores at about half its size.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

inline std::string SyntheticContents(std::size_t length, std::uint32_t seed) {
    constexpr std::size_t kStretch = 64 * 1024;
    std::string out;
    out.reserve(length);
    std::uint32_t x = seed;
    auto next = [&x] {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        return x;
    };
    bool text = true;
    while (out.size() < length) {
        const std::size_t end = std::min(length, out.size() + kStretch);
        if (text) {
            char line[64];
            while (out.size() < end) {
                const std::uint32_t r = next();
                const int n = std::snprintf(
                    line, sizeof line, "Ticket %5u:  %02u %02u %02u %02u %02u %02u\r\n", r % 20000,
                    1 + r % 8, 9 + (r >> 3) % 8, 17 + (r >> 6) % 8, 25 + (r >> 9) % 8,
                    33 + (r >> 12) % 8, 41 + (r >> 15) % 9);
                out.append(line,
                           std::min<std::size_t>(static_cast<std::size_t>(n), end - out.size()));
            }
        } else {
            while (out.size() < end) {
                out += static_cast<char>(next() >> 24);
            }
        }
        text = !text;
    }
    return out;
}
