// The payload builder, run by the Windows builds:
//
//   payload_builder MANIFEST BUILD_FOLDER OUTPUT_FOLDER
//
// See payload_build.h for what it writes. Exit code 0 on success, 1 with a
// message naming the item when the manifest cannot be honoured, 2 for a wrong
// command line.

#include <cstdio>
#include <exception>

#include "tools/payload/payload_build.h"

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: payload_builder MANIFEST BUILD_FOLDER OUTPUT_FOLDER\n");
        return 2;
    }
    try {
        BuildPayload(argv[1], argv[2], argv[3], stdout);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "payload_builder: %s\n", error.what());
        return 1;
    }
    return 0;
}
