// Turns stored payload items (the builder's <item>.bin) into fuzzer seeds:
// the same containers unscrambled, since the fuzz target scrambles its input.
//
//   make_fuzz_seeds OUTPUT_FOLDER ITEM.bin...

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "install/payload_key.h"
#include "install/payload_scramble.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: make_fuzz_seeds OUTPUT_FOLDER ITEM.bin...\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    const std::string key = BuildPayloadKey();
    for (int i = 2; i < argc; ++i) {
        std::ifstream in(argv[i], std::ios::binary);
        std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        if (!in && !in.eof()) {
            std::fprintf(stderr, "make_fuzz_seeds: cannot read %s\n", argv[i]);
            return 1;
        }
        UnscrambleBuffer(key, bytes.data(), bytes.size());
        const std::filesystem::path out =
            folder / std::filesystem::path(argv[i]).filename().replace_extension(".container");
        std::ofstream(out, std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    return 0;
}
