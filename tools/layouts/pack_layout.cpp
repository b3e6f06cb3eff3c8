// pack_layout LAYOUT OUT: writes the window layout LAYOUT as the installer
// stores it among its resources, one zlib stream, to OUT.

#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "tools/payload/payload_writer.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: pack_layout LAYOUT OUT\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.eof() && in.fail()) {
        std::cerr << "pack_layout: cannot read " << argv[1] << "\n";
        return 1;
    }
    const std::string stream = Compress(text);
    std::ofstream out(argv[2], std::ios::binary);
    out.write(stream.data(), static_cast<std::streamsize>(stream.size()));
    out.close();
    if (!out) {
        std::cerr << "pack_layout: cannot write " << argv[2] << "\n";
        return 1;
    }
    return 0;
}
