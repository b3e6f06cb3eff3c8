#pragma once

#include <string_view>

// The payload items in the order in which they are read and written. The
// payload builder writes exactly these, in this order.
inline constexpr std::string_view kPayloadItemList =
    "rs_cmd,rs_exe,rs_qdb1,rs_qdb2,rs_hlp,rs_icon,rs_qdbv4,rs_qdbv4add,rs_readme,rs_pr32";
