// libFuzzer target for the payload path: container parse, unscramble and
// inflate, as LoadPayloadItem runs them on a resource's bytes.
//
// The input is a container before scrambling; the target scrambles it with
// the payload key and hands the result to UnpackPayloadItem. Scrambling is a
// one-to-one map, so every possible stored resource is still reached, but the
// fuzzer's comparison hints and mutations then land on the header fields the
// loader actually reads instead of on key-shifted bytes.
//
// Beyond the sanitizers' checks, a load must either raise one of the
// installer's own errors (which the run can report) or give an item that keeps
// the format's promises; anything else aborts.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "install/payload_container.h"
#include "install/payload_file_name.h"
#include "install/payload_key.h"
#include "install/payload_loader.h"
#include "tools/payload/payload_writer.h"
#include "util/errors.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string container(reinterpret_cast<const char*>(data), size);
    std::string stored = container;
    ScrambleBuffer(BuildPayloadKey(), stored.data(), stored.size());
    try {
        const tInstItem item = UnpackPayloadItem("rs_fuzz", stored);
        std::uint32_t sizeField = 0;
        for (std::size_t i = 0; i < 4; ++i) {
            sizeField |= static_cast<std::uint32_t>(
                             static_cast<unsigned char>(container[kPayloadSizeOffset + i]))
                         << (8 * i);
        }
        if (item.Contents.size() != sizeField || item.FileName.size() > kPayloadNameCapacity ||
            FindFileNameFault(item.FileName) ||
            item.FileName != container.substr(kPayloadNameOffset, item.FileName.size())) {
            std::abort();
        }
    } catch (const InstallerError&) {
        // EDecompressionError or EPayloadFormatError: refused and reportable.
    }
    return 0;
}
