#pragma once

#include <windows.h>

#include <string_view>

namespace platform::win32 {

// What an open file holds against the bytes expected, read through its
// handle from where the handle stands (the start, for a handle just opened):
// a check that nobody can get in between, where the handle shares no writing.
enum class Content { Same, Different, Unreadable };
Content CompareContent(HANDLE file, std::string_view contents);

}  // namespace platform::win32
