#pragma once

#include <cstddef>
#include <string>

// Inflates one zlib stream (RFC 1950). The output starts with room for
// estimate bytes (or, when estimate is 0, for the input length rounded up to
// a multiple of 256) and grows by that rounded length whenever it fills. The
// result holds exactly the inflated bytes. Any failure of zlib, including a
// stream that ends early, raises EDecompressionError ("Error") after the
// output has been released.
std::string InflateBuffer(const char* input, std::size_t inputLength, std::size_t estimate);
