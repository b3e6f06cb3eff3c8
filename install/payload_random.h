#pragma once

#include <cstdint>

// The generator the payload key is drawn from: a 32-bit linear congruential
// generator whose results are scaled into a range by the high half of a
// 64-bit product. Builder and installer must draw the same numbers, so the
// arithmetic is fixed to the bit.
class PayloadRandom {
  public:
    void Seed(std::uint32_t value) { state_ = value; }

    // Advances the state and returns a number from 0 to range - 1 (0 for
    // range 0).
    std::uint32_t Next(std::uint32_t range);

  private:
    std::uint32_t state_ = 0;
};
