#include "install/payload_loader.h"

#include <optional>
#include <utility>

#include "install/inflate_buffer.h"
#include "install/payload_container.h"
#include "install/payload_key.h"
#include "install/payload_scramble.h"
#include "platform/platform.h"
#include "util/errors.h"
#include "util/format.h"

tInstItem LoadPayloadItem(const std::string& itemName) {
    std::optional<std::string> stored = platform::LoadRcData(itemName);
    if (!stored) {
        throw EResNotFound(itemName);
    }
    return UnpackPayloadItem(itemName, std::move(*stored));
}

tInstItem UnpackPayloadItem(const std::string& itemName, std::string stored) {
    // The key and the buffer are locals: released on every path out.
    const std::string key = BuildPayloadKey();
    UnscrambleBuffer(key, stored.data(), stored.size());
    const PayloadHeader header = ReadPayloadHeader(stored, itemName);

    tInstItem item;
    item.FileName = header.fileName;
    item.FileDate = header.date;
    // Inflating with the size field as estimate gives a block of exactly the
    // file's length for a sound item, which becomes the contents as it is.
    item.Contents = InflateBuffer(stored.data() + kPayloadHeaderSize,
                                  stored.size() - kPayloadHeaderSize, header.size);
    if (item.Contents.size() != header.size) {
        // A short file would be written with trailing zeros and a long one
        // cut, so a stream that disagrees with its header is refused whole.
        ThrowDamagedItem(itemName, Format("it unpacks to %d bytes, not the %d its header gives",
                                          {static_cast<std::int64_t>(item.Contents.size()),
                                           static_cast<std::int64_t>(header.size)}));
    }
    return item;
}
