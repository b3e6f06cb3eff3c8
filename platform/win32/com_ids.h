#pragma once

#include <windows.h>

namespace platform::win32 {

// COM's published interface identities that more than one part of the
// backend asks for, defined here so that the executable needs no GUID
// library.
inline constexpr GUID kIidUnknown = {
    0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

}  // namespace platform::win32
