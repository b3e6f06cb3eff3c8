#pragma once

// Containers built by hand for the payload tests, so that a test can set any
// header field, including values that break the format's limits.

#include <zlib.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "install/payload_container.h"
#include "install/payload_key.h"
#include "tools/payload/payload_writer.h"

namespace payload_test {

inline std::string ZlibStream(std::string_view data, int level = Z_BEST_COMPRESSION) {
    uLongf length = compressBound(static_cast<uLong>(data.size()));
    std::string stream(length, '\0');
    if (compress2(reinterpret_cast<Bytef*>(stream.data()), &length,
                  reinterpret_cast<const Bytef*>(data.data()), static_cast<uLong>(data.size()),
                  level) != Z_OK) {
        throw std::runtime_error("compress2 failed");
    }
    stream.resize(length);
    return stream;
}

struct RawItem {
    std::uint32_t size = 0;
    std::uint32_t date = 0;
    std::uint8_t nameLength = 0;
    std::string nameField;  // up to 30 bytes; the rest of the field is filled with '#'
    std::string stream;
};

// The item unscrambled: header fields as given, then the stream.
inline std::string Container(const RawItem& raw) {
    std::string bytes(kPayloadHeaderSize, '\0');
    auto put = [&](std::size_t offset, std::uint32_t value) {
        for (std::size_t i = 0; i < 4; ++i) {
            bytes[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
        }
    };
    put(0, 0xDEADBEEF);  // words the loader never reads
    put(kPayloadSizeOffset, raw.size);
    put(8, 0xCAFEF00D);
    put(kPayloadDateOffset, raw.date);
    bytes[kPayloadNameLengthOffset] = static_cast<char>(raw.nameLength);
    std::string field = raw.nameField;
    field.resize(kPayloadNameCapacity, '#');
    bytes.replace(kPayloadNameOffset, kPayloadNameCapacity, field);
    return bytes + raw.stream;
}

inline std::string Scrambled(std::string container) {
    ScrambleBuffer(BuildPayloadKey(), container.data(), container.size());
    return container;
}

// A sound item for contents under a name.
inline RawItem SoundItem(std::string_view name, std::string_view contents,
                         std::uint32_t date = 0x27702B00) {
    RawItem raw;
    raw.size = static_cast<std::uint32_t>(contents.size());
    raw.date = date;
    raw.nameLength = static_cast<std::uint8_t>(name.size());
    raw.nameField = std::string(name);
    raw.stream = ZlibStream(contents);
    return raw;
}

}  // namespace payload_test
