#include <gtest/gtest.h>

#include <cstdint>

#include "install/payload_key.h"
#include "install/payload_random.h"

TEST(PayloadRandom, AfterSeedZeroGivesZeroThenEight) {
    PayloadRandom random;
    random.Seed(0);
    EXPECT_EQ(random.Next(256), 0u);  // state 1
    EXPECT_EQ(random.Next(256), 8u);  // state 134775814
    EXPECT_EQ(random.Next(256), 220u);
}

TEST(PayloadRandom, ScalesByTheHighHalfOfTheSixtyFourBitProduct) {
    PayloadRandom random;
    random.Seed(0xFFFFFFFFu);
    // The state wraps to 4160191484; 4160191484 * 1000 / 2^32 = 968.6.
    EXPECT_EQ(random.Next(1000), 968u);
    random.Seed(0xFFFFFFFFu);
    EXPECT_EQ(random.Next(0xFFFFFFFFu), 4160191483u);
    EXPECT_EQ(random.Next(1), 0u);
}

TEST(BuildPayloadKey, IsTheTopByteOfFiftyStatesFromTheSeed) {
    const std::string key = BuildPayloadKey();
    ASSERT_EQ(key.size(), 50u);
    std::uint64_t state = kPayloadSeed;
    for (std::size_t i = 0; i < key.size(); ++i) {
        state = (state * 134775813u + 1u) % (std::uint64_t{1} << 32);
        EXPECT_EQ(static_cast<unsigned char>(key[i]), state >> 24) << "key byte " << i;
    }
    // A generator used in between does not change the next key.
    PayloadRandom other;
    other.Seed(12345);
    other.Next(256);
    EXPECT_EQ(BuildPayloadKey(), key);
}
