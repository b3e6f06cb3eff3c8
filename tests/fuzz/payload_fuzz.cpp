// libFuzzer target for the whole load path, as the installation run takes
// it: the item's bytes stored as a resource of the (simulated) executable,
// then LoadPayloadItem finds it by name without regard to case, unscrambles
// it where it lies, reads and checks the header and inflates the stream into
// one tInstItem.
//
// The input is a container before scrambling; the target scrambles it with
// the payload key and stores the result as the resource. Scrambling is a
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
#include "platform/sim/sim_machine.h"
#include "tools/payload/payload_writer.h"
#include "util/errors.h"

namespace {

// One machine for the whole run: it makes a temp folder, which is too slow to
// do per input, and it holds nothing between inputs but the one resource.
platform::sim::Machine& Executable() {
    static platform::sim::Machine machine;
    return machine;
}

std::uint32_t SizeField(const std::string& container) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value |= static_cast<std::uint32_t>(
                     static_cast<unsigned char>(container[kPayloadSizeOffset + i]))
                 << (8 * i);
    }
    return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string container(reinterpret_cast<const char*>(data), size);
    std::string stored = container;
    ScrambleBuffer(BuildPayloadKey(), stored.data(), stored.size());
    Executable().SetResource("RS_FUZZ", std::move(stored));
    try {
        const tInstItem item = LoadPayloadItem("rs_fuzz");
        if (item.Contents.size() != SizeField(container) ||
            item.FileName.size() > kPayloadNameCapacity || FindFileNameFault(item.FileName) ||
            item.FileName != container.substr(kPayloadNameOffset, item.FileName.size())) {
            std::abort();
        }
    } catch (const InstallerError&) {
        // EDecompressionError or EPayloadFormatError: refused and reportable.
    }
    return 0;
}
