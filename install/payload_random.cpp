#include "install/payload_random.h"

std::uint32_t PayloadRandom::Next(std::uint32_t range) {
    state_ = state_ * 134775813u + 1u;  // wraps modulo 2^32 by unsigned arithmetic
    return static_cast<std::uint32_t>((static_cast<std::uint64_t>(state_) * range) >> 32);
}
