#include "util/inflate_buffer.h"

#include <zlib.h>

#include <algorithm>
#include <limits>

#include "util/errors.h"

namespace {

// One open zlib inflater. The destructor ends it on every path out of
// InflateBuffer; End() is the orderly close, whose failure counts as well.
class Inflater {
  public:
    Inflater() {
        if (inflateInit(&stream_) != Z_OK) {
            throw EDecompressionError();
        }
    }
    ~Inflater() {
        if (open_) {
            inflateEnd(&stream_);
        }
    }
    Inflater(const Inflater&) = delete;
    Inflater& operator=(const Inflater&) = delete;

    z_stream& stream() { return stream_; }

    void End() {
        open_ = false;
        if (inflateEnd(&stream_) != Z_OK) {
            throw EDecompressionError();
        }
    }

  private:
    z_stream stream_{};
    bool open_ = true;
};

// zlib counts input and output in uInt; longer buffers go in slices.
constexpr std::size_t kMaxSlice = std::numeric_limits<uInt>::max();

}  // namespace

std::string InflateBuffer(const char* input, std::size_t inputLength, std::size_t estimate) {
    std::size_t given = 0;
    return InflateBuffer(
        [&] {
            const std::size_t length = std::min(inputLength - given, kMaxSlice);
            const std::string_view slice(input + given, length);
            given += length;
            return slice;
        },
        inputLength, estimate);
}

std::string InflateBuffer(const InflateInput& nextSlice, std::size_t inputLength,
                          std::size_t estimate) {
    const std::size_t increment = (inputLength + 255) & ~static_cast<std::size_t>(255);
    std::size_t capacity = estimate != 0 ? estimate : increment;
    // The output is a local string, so a raise anywhere below releases it.
    std::string output(capacity, '\0');

    Inflater inflater;
    z_stream& z = inflater.stream();
    bool inputLeft = true;
    std::size_t written = 0;
    for (;;) {
        if (z.avail_in == 0 && inputLeft) {
            const std::string_view slice = nextSlice();
            inputLeft = !slice.empty();
            // zlib never writes through next_in.
            z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(slice.data()));
            z.avail_in = static_cast<uInt>(std::min(slice.size(), kMaxSlice));
        }
        const auto outSlice = static_cast<uInt>(std::min(capacity - written, kMaxSlice));
        z.next_out = reinterpret_cast<Bytef*>(output.data() + written);
        z.avail_out = outSlice;
        const int result = inflate(&z, Z_NO_FLUSH);
        written += outSlice - z.avail_out;

        if (result == Z_STREAM_END) {
            break;
        }
        // Z_BUF_ERROR (no progress possible), Z_DATA_ERROR, Z_NEED_DICT (a
        // preset dictionary nobody can supply) and Z_MEM_ERROR all end here.
        if (result != Z_OK) {
            throw EDecompressionError();
        }
        if (z.avail_out != 0 && z.avail_in == 0 && !inputLeft) {
            // zlib stopped with room to spare and nothing left to read: the
            // stream ends before its end marker.
            throw EDecompressionError();
        }
        if (written == capacity) {
            capacity += increment;
            output.resize(capacity);
        }
    }
    inflater.End();

    output.resize(written);
    output.shrink_to_fit();
    return output;
}
