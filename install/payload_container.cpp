#include "install/payload_container.h"

#include "install/payload_file_name.h"
#include "util/errors.h"
#include "util/format.h"

namespace {

std::uint32_t ReadWord(std::string_view bytes, std::size_t offset) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[offset + i]))
                 << (8 * i);
    }
    return value;
}

}  // namespace

std::string DamagedItemText(const std::string& itemName, const std::string& fault) {
    return Format("Resource %s is damaged: %s.", {itemName, fault});
}

void ThrowDamagedItem(const std::string& itemName, const std::string& fault) {
    throw EPayloadFormatError(DamagedItemText(itemName, fault));
}

PayloadHeader ReadPayloadHeader(std::string_view header, std::size_t itemLength,
                                const std::string& itemName) {
    if (itemLength < kPayloadHeaderSize || header.size() < kPayloadHeaderSize) {
        ThrowDamagedItem(itemName, Format("it is shorter than its %d-byte header",
                                          {static_cast<int>(kPayloadHeaderSize)}));
    }
    PayloadHeader result;
    result.size = ReadWord(header, kPayloadSizeOffset);
    result.date = ReadWord(header, kPayloadDateOffset);

    const auto nameLength = static_cast<unsigned char>(header[kPayloadNameLengthOffset]);
    if (nameLength > kPayloadNameCapacity) {
        ThrowDamagedItem(itemName, Format("its file name is longer than %d characters",
                                          {static_cast<int>(kPayloadNameCapacity)}));
    }
    result.fileName = std::string(header.substr(kPayloadNameOffset, nameLength));
    if (const auto fault = FindFileNameFault(result.fileName)) {
        ThrowDamagedItem(itemName, "its file name " + *fault);
    }

    // The size field becomes an allocation, so it is held to what the stream
    // could possibly give before anything is allocated from it.
    const std::uint64_t streamLength = itemLength - kPayloadHeaderSize;
    if (result.size > (streamLength + 1) * kMaxDeflateRatio) {
        ThrowDamagedItem(itemName,
                         Format("its header gives %d bytes, more than its stream can hold",
                                {static_cast<std::int64_t>(result.size)}));
    }
    return result;
}
