// Damages one stored payload item, for the hostile-payload suite, which puts
// the result back into a copy of a test subject's resources (never shipped):
//
//   damage_item IN.bin OUT.bin DAMAGE
//
// IN.bin is the item as stored (scrambled); OUT.bin is written scrambled the
// same way and is never longer than IN.bin, so that it fits where the item
// was. DAMAGE is one of:
//
//   truncated     cut in the middle of its stream
//   corrupt       sixteen bytes in the middle of its stream changed
//   size+1        the size field one more than the stream gives
//   size-1        the size field one less than the stream gives
//   name=TEXT     the file name field set to TEXT (at most 30 characters)
//   header-only   cut to its 47-byte header, no stream at all
//   empty         the same name and date over a stream that unpacks to
//                 nothing, size field 0
//
// Exit code 0 on success, 1 when the item cannot be read, 2 on bad arguments.

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "install/payload_container.h"
#include "install/payload_key.h"
#include "install/payload_scramble.h"
#include "tools/payload/payload_writer.h"
#include "util/errors.h"

namespace {

void PutWord(std::string& bytes, std::size_t offset, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) {
        bytes[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

// The damaged container, unscrambled; empty for an unknown damage.
std::string Damage(const std::string& container, const std::string& damage) {
    const PayloadHeader header = ReadPayloadHeader(container, "the item");
    const std::size_t streamLength = container.size() - kPayloadHeaderSize;
    std::string out = container;
    if (damage == "truncated") {
        out.resize(kPayloadHeaderSize + streamLength / 2);
    } else if (damage == "corrupt") {
        const std::size_t middle = kPayloadHeaderSize + streamLength / 2;
        for (std::size_t i = middle; i < middle + 16 && i < out.size(); ++i) {
            out[i] = static_cast<char>(out[i] ^ 0x5A);
        }
    } else if (damage == "size+1" || damage == "size-1") {
        PutWord(out, kPayloadSizeOffset, damage == "size+1" ? header.size + 1 : header.size - 1);
    } else if (damage.starts_with("name=") && damage.size() - 5 <= kPayloadNameCapacity) {
        const std::string name = damage.substr(5);
        out[kPayloadNameLengthOffset] = static_cast<char>(name.size());
        out.replace(kPayloadNameOffset, name.size(), name);
    } else if (damage == "header-only") {
        out.resize(kPayloadHeaderSize);
    } else if (damage == "empty") {
        out = BuildPayloadContainer(header.fileName, header.date, "");
        UnscrambleBuffer(BuildPayloadKey(), out.data(), out.size());
    } else {
        return {};
    }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: damage_item IN.bin OUT.bin DAMAGE\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const std::string key = BuildPayloadKey();
    UnscrambleBuffer(key, bytes.data(), bytes.size());
    std::string damaged;
    try {
        damaged = Damage(bytes, argv[3]);
    } catch (const InstallerError& error) {
        std::fprintf(stderr, "damage_item: %s: %s\n", argv[1], error.what());
        return 1;
    }
    if (damaged.empty()) {
        std::fprintf(stderr, "damage_item: unknown damage '%s'\n", argv[3]);
        return 2;
    }
    ScrambleBuffer(key, damaged.data(), damaged.size());
    std::ofstream(argv[2], std::ios::binary)
        .write(damaged.data(), static_cast<std::streamsize>(damaged.size()));
    return 0;
}
