#include "install/payload_loader.h"

#include <algorithm>
#include <optional>

#include "install/payload_container.h"
#include "install/payload_key.h"
#include "install/payload_scramble.h"
#include "platform/platform.h"
#include "util/errors.h"
#include "util/format.h"
#include "util/inflate_buffer.h"

namespace {

// How much of the stream is unscrambled at a time on its way into zlib: a
// whole number of key lengths, so that every slice starts at the same place
// in the key.
constexpr std::size_t kStreamSlice = kPayloadKeyLength * 1311;  // about 64 KiB

// The key turned so that its first byte is the one that scrambled the
// item's byte at offset.
std::string KeyFrom(const std::string& key, std::size_t offset) {
    std::string turned = key;
    std::rotate(turned.begin(), turned.begin() + static_cast<std::ptrdiff_t>(offset % key.size()),
                turned.end());
    return turned;
}

}  // namespace

tInstItem LoadPayloadItem(const std::string& itemName) {
    const std::optional<std::string_view> stored = platform::FindRcData(itemName);
    if (!stored) {
        throw EResNotFound(itemName);
    }
    return UnpackPayloadItem(itemName, *stored);
}

tInstItem UnpackPayloadItem(const std::string& itemName, std::string_view stored) {
    // The item is read where it lies and never copied whole, so that at the
    // peak the run holds the files and little more: only the header is
    // unscrambled into a buffer of its own, and the stream a slice at a time.
    // The key and the buffers are locals, released on every path out.
    const std::string key = BuildPayloadKey();
    std::string headerBytes(stored.substr(0, kPayloadHeaderSize));
    UnscrambleBuffer(key, headerBytes.data(), headerBytes.size());
    const PayloadHeader header = ReadPayloadHeader(headerBytes, stored.size(), itemName);

    tInstItem item;
    item.FileName = header.fileName;
    item.FileDate = header.date;
    const std::string_view stream = stored.substr(kPayloadHeaderSize);
    const std::string streamKey = KeyFrom(key, kPayloadHeaderSize);
    std::string slice;
    std::size_t given = 0;
    // Inflating with the size field as estimate gives a block of exactly the
    // file's length for a sound item, which becomes the contents as it is.
    item.Contents = InflateBuffer(
        [&]() -> std::string_view {
            slice.assign(stream.substr(given, kStreamSlice));
            given += slice.size();
            UnscrambleBuffer(streamKey, slice.data(), slice.size());
            return slice;
        },
        stream.size(), header.size);
    if (item.Contents.size() != header.size) {
        // A short file would be written with trailing zeros and a long one
        // cut, so a stream that disagrees with its header is refused whole.
        ThrowDamagedItem(itemName, Format("it unpacks to %d bytes, not the %d its header gives",
                                          {static_cast<std::int64_t>(item.Contents.size()),
                                           static_cast<std::int64_t>(header.size)}));
    }
    return item;
}
