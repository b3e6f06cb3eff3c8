#include "tools/payload/payload_writer.h"

#include <zlib.h>

#include <stdexcept>

#include "install/payload_container.h"
#include "install/payload_key.h"

namespace {

void PutWord(std::string& bytes, std::size_t offset, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) {
        bytes[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

}  // namespace

std::string Compress(std::string_view contents, int level) {
    uLongf length = compressBound(static_cast<uLong>(contents.size()));
    std::string stream(length, '\0');
    const int result = compress2(reinterpret_cast<Bytef*>(stream.data()), &length,
                                 reinterpret_cast<const Bytef*>(contents.data()),
                                 static_cast<uLong>(contents.size()), level);
    if (result != Z_OK) {
        throw std::runtime_error("zlib could not compress the contents");
    }
    stream.resize(length);
    return stream;
}

void ScrambleBuffer(std::string_view key, char* buffer, std::size_t length) {
    if (key.empty()) {
        return;
    }
    for (std::size_t i = 0; i < length; ++i) {
        buffer[i] = static_cast<char>(static_cast<unsigned char>(buffer[i]) +
                                      static_cast<unsigned char>(key[i % key.size()]));
    }
}

std::string BuildPayloadContainer(std::string_view fileName, std::uint32_t dosDateTime,
                                  std::string_view contents, int level) {
    if (fileName.size() > kPayloadNameCapacity) {
        throw std::invalid_argument("file name longer than the container's name field");
    }
    if (contents.size() > 0xFFFFFFFFu) {
        throw std::invalid_argument("contents longer than the container's size field");
    }
    const std::string stream = Compress(contents, level);

    std::string item(kPayloadHeaderSize, '\0');
    // The two words the installer never reads carry the stream's length and
    // the contents' CRC-32, which help when a payload is looked at by hand.
    PutWord(item, 0, static_cast<std::uint32_t>(stream.size()));
    PutWord(item, kPayloadSizeOffset, static_cast<std::uint32_t>(contents.size()));
    PutWord(item, 8,
            static_cast<std::uint32_t>(
                crc32_z(0, reinterpret_cast<const Bytef*>(contents.data()), contents.size())));
    PutWord(item, kPayloadDateOffset, dosDateTime);
    item[kPayloadNameLengthOffset] = static_cast<char>(fileName.size());
    item.replace(kPayloadNameOffset, fileName.size(), fileName);
    item += stream;

    const std::string key = BuildPayloadKey();
    ScrambleBuffer(key, item.data(), item.size());
    return item;
}
