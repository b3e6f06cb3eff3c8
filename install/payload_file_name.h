#pragma once

#include <optional>
#include <string>
#include <string_view>

// Why a payload file name cannot be written safely into the install folder,
// or nothing when it can. The run writes every file as the folder followed by
// the name, so a name must stay one plain file inside that folder: no folder
// part, no "..", no drive or stream, no character that Windows forbids, no
// device name, and not empty once Windows has dropped trailing dots and spaces.
// The text completes "its file name ..." in a message.
std::optional<std::string> FindFileNameFault(std::string_view name);
