#include <gtest/gtest.h>

#include <string>

#include "install/payload_scramble.h"
#include "tools/payload/payload_writer.h"

namespace {

// Key bytes 1, 2, ..., n: every position of the key is told apart.
std::string CountingKey(std::size_t n) {
    std::string key;
    for (std::size_t i = 0; i < n; ++i) {
        key += static_cast<char>(i + 1);
    }
    return key;
}

unsigned char At(const std::string& s, std::size_t i) {
    return static_cast<unsigned char>(s[i]);
}

}  // namespace

TEST(UnscrambleBuffer, UsesKeyByteIModuloFifty) {
    const std::string key = CountingKey(50);
    std::string buffer(101, '\0');
    UnscrambleBuffer(key, buffer.data(), buffer.size());
    EXPECT_EQ(At(buffer, 0), 256 - 1);
    EXPECT_EQ(At(buffer, 49), 256 - 50);
    EXPECT_EQ(At(buffer, 50), 256 - 1);  // byte 50 with key byte 0
    EXPECT_EQ(At(buffer, 99), 256 - 50);
    EXPECT_EQ(At(buffer, 100), 256 - 1);
}

TEST(UnscrambleBuffer, ArithmeticWrapsModulo256) {
    const std::string key = "\xF0";
    std::string buffer = "\x10";
    ScrambleBuffer(key, buffer.data(), 1);
    EXPECT_EQ(At(buffer, 0), 0x00);
    UnscrambleBuffer(key, buffer.data(), 1);
    EXPECT_EQ(At(buffer, 0), 0x10);
}

TEST(UnscrambleBuffer, TouchesOnlyTheFirstLengthBytesAndNothingWithAnEmptyKey) {
    std::string buffer = "abcdef";
    UnscrambleBuffer("", buffer.data(), buffer.size());
    UnscrambleBuffer(CountingKey(50), buffer.data(), 0);
    EXPECT_EQ(buffer, "abcdef");
    UnscrambleBuffer(CountingKey(50), buffer.data(), 2);
    EXPECT_EQ(buffer, "``cdef");
}

// The fast path works on whole tiled periods of the key; every length around
// their edges, for keys that tile differently, must still follow the
// byte-by-byte rule and leave the byte after the buffer alone.
TEST(UnscrambleBuffer, LongBuffersFollowTheByteRuleAtEveryPeriodEdge) {
    for (std::size_t keyLength : {1u, 7u, 50u, 64u, 100u}) {
        const std::string key = CountingKey(keyLength);
        for (std::size_t length :
             {1u, 63u, 64u, 65u, 799u, 800u, 801u, 1599u, 1600u, 1601u, 3200u, 5001u}) {
            std::string buffer(length + 1, '\0');
            for (std::size_t i = 0; i < buffer.size(); ++i) {
                buffer[i] = static_cast<char>(i * 31 + 7);
            }
            std::string expected = buffer;
            for (std::size_t i = 0; i < length; ++i) {
                expected[i] = static_cast<char>(At(expected, i) - At(key, i % keyLength));
            }
            UnscrambleBuffer(key, buffer.data(), length);
            ASSERT_EQ(buffer, expected) << "key " << keyLength << ", length " << length;
        }
    }
}
