#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <type_traits>

// Inflates one zlib stream (RFC 1950). The output starts with room for
// estimate bytes (or, when estimate is 0, for the input length rounded up to
// a multiple of 256) and grows by that rounded length whenever it fills. The
// result holds exactly the inflated bytes. Any failure of zlib, including a
// stream that ends early, raises EDecompressionError ("Error") after the
// output has been released.
std::string InflateBuffer(const char* input, std::size_t inputLength, std::size_t estimate);

// Gives the stream's next slice (at most 4 GiB - 1 bytes) on each call, and
// an empty one once all inputLength bytes have been given; a slice must stay
// valid until the next call. It refers to a callable that outlives it, as an
// argument's lambda outlives the call it is passed to.
class InflateInput {
  public:
    template <class Next>
    requires(!std::is_same_v<std::remove_cvref_t<Next>, InflateInput>)
        InflateInput(Next&& next)  // NOLINT: made implicitly from a lambda
        : next_(const_cast<void*>(static_cast<const void*>(&next))),
          call_([](void* n) { return (*static_cast<std::remove_reference_t<Next>*>(n))(); }) {}
    std::string_view operator()() const { return call_(next_); }

  private:
    void* next_;
    std::string_view (*call_)(void*);
};

// The same for a stream that arrives a slice at a time, so that a caller can
// prepare each slice (unscramble it, say) without a copy of the whole input.
std::string InflateBuffer(const InflateInput& nextSlice, std::size_t inputLength,
                          std::size_t estimate);
