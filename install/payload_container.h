#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The layout of one payload item once unscrambled: a 47-byte header, then the
// file's bytes as one zlib stream running to the end of the item. Integers are
// little-endian. The builder fills the words at offsets 0 and 8 as it likes;
// the loader never reads them.
inline constexpr std::size_t kPayloadSizeOffset = 4;
inline constexpr std::size_t kPayloadDateOffset = 12;
inline constexpr std::size_t kPayloadNameLengthOffset = 16;
inline constexpr std::size_t kPayloadNameOffset = 17;
inline constexpr std::size_t kPayloadNameCapacity = 30;
inline constexpr std::size_t kPayloadHeaderSize = 47;

// deflate cannot expand data by more than this factor, so a size field above
// it times the stream's length cannot be true.
inline constexpr std::uint64_t kMaxDeflateRatio = 1032;

// What the header of one item says.
struct PayloadHeader {
    std::uint32_t size = 0;  // the file's length
    std::uint32_t date = 0;  // MS-DOS date-time
    std::string fileName;
};

// Reads the header of an item of itemLength bytes from its first bytes
// (header, unscrambled, the whole header or as much of it as the item holds)
// and checks it against the format's limits before anything is allocated from
// it: the item holds a whole header, the name fits its field and is safe to
// write into the install folder, and the size field is one the stream could
// possibly inflate to. A header that fails raises EPayloadFormatError naming
// itemName and the fault.
PayloadHeader ReadPayloadHeader(std::string_view header, std::size_t itemLength,
                                const std::string& itemName);

// The same for a whole unscrambled item.
inline PayloadHeader ReadPayloadHeader(std::string_view item, const std::string& itemName) {
    return ReadPayloadHeader(item.substr(0, kPayloadHeaderSize), item.size(), itemName);
}

// "Resource ITEM is damaged: FAULT." for the user.
std::string DamagedItemText(const std::string& itemName, const std::string& fault);

// Raises EPayloadFormatError with DamagedItemText.
[[noreturn]] void ThrowDamagedItem(const std::string& itemName, const std::string& fault);
