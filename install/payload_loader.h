#pragma once

#include <string>
#include <string_view>

#include "install/inst_item.h"

// Reads one payload item from the executable's RCDATA resources by name,
// without regard to case, and unpacks it. A missing resource raises
// EResNotFound ("Resource %s not found", with the name as asked); a corrupt
// stream raises EDecompressionError ("Error"); an item that breaks the
// container's limits raises EPayloadFormatError naming the item and the fault.
tInstItem LoadPayloadItem(const std::string& itemName);

// The same for an item's stored bytes already in hand: unscrambles them with
// the payload key, reads and checks the header and inflates the stream,
// reading the bytes where they lie.
tInstItem UnpackPayloadItem(const std::string& itemName, std::string_view stored);
