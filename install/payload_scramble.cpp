#include "install/payload_scramble.h"

#include <numeric>
#include <vector>

namespace {

// Work is done in blocks of this many bytes with a fixed trip count, which
// the compiler turns into vector instructions even at -O2.
constexpr std::size_t kLane = 64;

}  // namespace

void UnscrambleBuffer(std::string_view key, char* buffer, std::size_t length) {
    if (key.empty() || length == 0) {
        return;
    }
    // The key repeated until its period is a whole number of lanes, so that
    // every lane of the buffer lines up with the same stretch of the tiled key.
    const std::size_t period = std::lcm(key.size(), kLane);
    std::vector<unsigned char> tiled(period);
    for (std::size_t i = 0; i < period; ++i) {
        tiled[i] = static_cast<unsigned char>(key[i % key.size()]);
    }

    auto* bytes = reinterpret_cast<unsigned char*>(buffer);
    std::size_t done = 0;
    while (length - done >= period) {
        for (std::size_t lane = 0; lane < period; lane += kLane) {
            unsigned char* out = bytes + done + lane;
            const unsigned char* k = tiled.data() + lane;
            for (std::size_t j = 0; j < kLane; ++j) {
                out[j] = static_cast<unsigned char>(out[j] - k[j]);
            }
        }
        done += period;
    }
    for (std::size_t i = 0; done + i < length; ++i) {
        bytes[done + i] = static_cast<unsigned char>(bytes[done + i] - tiled[i]);
    }
}
