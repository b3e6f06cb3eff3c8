// Unpacking throughput of the payload loader against plain zlib, in one run:
//
//   payload_bench [ITEMS [MEGABYTES [ROUNDS]]]     (default 10 items of 20 MB, 5 rounds)
//
// The synthetic payload is ITEMS items of MEGABYTES each, half listing text
// and half random bytes in alternating 64 KiB stretches, packed by the
// payload builder's own writer. Each round times two ways over all items:
//   loader  LoadPayloadItem: the resource found in the (simulated)
//           executable, unscrambled a slice at a time where it lies, its
//           header read and checked, inflated
//   zlib    inflate of the same zlib streams, already unscrambled, into a
//           block of the known size allocated for it, as a bare zlib program
// and prints both; the result is the ratio of the best rounds' throughputs,
// loader over zlib. The first round also checks every item byte for byte.

#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "install/payload_container.h"
#include "install/payload_key.h"
#include "install/payload_loader.h"
#include "install/payload_scramble.h"
#include "platform/sim/sim_machine.h"
#include "tests/bench/synthetic_contents.h"
#include "tools/payload/payload_writer.h"

namespace {

using Clock = std::chrono::steady_clock;

// Plain zlib: one inflate call into a block of the known size.
std::unique_ptr<char[]> PlainInflate(const std::string& stream, std::size_t size) {
    auto out = std::make_unique_for_overwrite<char[]>(size);
    z_stream z{};
    if (inflateInit(&z) != Z_OK) {
        std::abort();
    }
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(stream.data()));
    z.avail_in = static_cast<uInt>(stream.size());
    z.next_out = reinterpret_cast<Bytef*>(out.get());
    z.avail_out = static_cast<uInt>(size);
    const int result = inflate(&z, Z_FINISH);
    inflateEnd(&z);
    if (result != Z_STREAM_END || z.total_out != size) {
        std::fprintf(stderr, "plain inflate failed\n");
        std::exit(1);
    }
    return out;
}

double Seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

}  // namespace

int main(int argc, char** argv) {
    const int items = argc > 1 ? std::atoi(argv[1]) : 10;
    const std::size_t megabytes = argc > 2 ? static_cast<std::size_t>(std::atoi(argv[2])) : 20;
    const int rounds = argc > 3 ? std::atoi(argv[3]) : 5;
    const std::size_t size = megabytes << 20;

    platform::sim::Machine machine;
    const std::string key = BuildPayloadKey();
    std::vector<std::string> names, contents, streams;
    std::size_t storedTotal = 0;
    for (int i = 0; i < items; ++i) {
        names.push_back("rs_bench" + std::to_string(i));
        contents.push_back(
            SyntheticContents(size, 0x9E3779B9u * static_cast<std::uint32_t>(i + 1)));
        const std::string stored =
            BuildPayloadContainer("bench" + std::to_string(i) + ".dat", 0x27702B00, contents.back(),
                                  Z_DEFAULT_COMPRESSION);
        storedTotal += stored.size();
        machine.SetResource(names.back(), stored);
        // Plain zlib gets the very same stream, unscrambled in advance.
        std::string container = stored;
        UnscrambleBuffer(key, container.data(), container.size());
        streams.push_back(container.substr(kPayloadHeaderSize));
    }
    const double total = static_cast<double>(size) * items;
    std::printf("payload: %d items of %zu MB, %.1f MB stored\n", items, megabytes,
                static_cast<double>(storedTotal) / (1 << 20));

    double bestLoader = 1e30, bestZlib = 1e30;
    for (int round = 0; round < rounds; ++round) {
        // Alternate which way goes first, so neither always meets a warmer heap.
        for (int way = 0; way < 2; ++way) {
            const bool loaderWay = (way == 0) == (round % 2 == 0);
            const auto start = Clock::now();
            for (int i = 0; i < items; ++i) {
                if (loaderWay) {
                    const tInstItem item = LoadPayloadItem(names[static_cast<std::size_t>(i)]);
                    if (round == 0 && item.Contents != contents[static_cast<std::size_t>(i)]) {
                        std::fprintf(stderr, "item %d does not unpack to its contents\n", i);
                        return 1;
                    }
                } else {
                    const auto out = PlainInflate(streams[static_cast<std::size_t>(i)], size);
                    if (round == 0 && !std::equal(out.get(), out.get() + size,
                                                  contents[static_cast<std::size_t>(i)].begin())) {
                        std::fprintf(stderr, "plain inflate of item %d differs\n", i);
                        return 1;
                    }
                }
            }
            const double seconds = Seconds(Clock::now() - start);
            double& best = loaderWay ? bestLoader : bestZlib;
            best = std::min(best, seconds);
            std::printf("round %d  %-6s %7.1f MB/s\n", round + 1, loaderWay ? "loader" : "zlib",
                        total / seconds / (1 << 20));
        }
    }
    const double loaderRate = total / bestLoader / (1 << 20);
    const double zlibRate = total / bestZlib / (1 << 20);
    std::printf("best: loader %.1f MB/s, zlib %.1f MB/s, ratio %.3f\n", loaderRate, zlibRate,
                loaderRate / zlibRate);
    return 0;
}
