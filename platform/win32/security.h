#pragma once

#include <vector>

namespace platform::win32 {

// The SID of the account the process runs as, in a buffer of its own; empty
// when the process's token cannot be read.
std::vector<unsigned char> UserSid();

}  // namespace platform::win32
