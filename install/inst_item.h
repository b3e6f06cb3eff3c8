#pragma once

#include <cstdint>
#include <string>

// One unpacked payload item in memory, as the installation run keeps it until
// the file is written.
struct tInstItem {
    std::string Contents;        // the file's bytes
    std::string FileName;        // at most 30 characters, no folder part
    std::uint32_t FileDate = 0;  // MS-DOS date-time: date in the high 16 bits
};
