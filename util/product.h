#pragma once

// The product the installer installs, as its texts, its entry and its
// folders name it.
inline constexpr char kProductName[] = "Tessaly";
inline constexpr char kProductVersion[] = "3.24";
