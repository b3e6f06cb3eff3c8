#include "util/inflate_buffer.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <string>

#include "tests/unit/payload_test_support.h"
#include "util/errors.h"

using payload_test::ZlibStream;

namespace {

// Text that compresses well, so the output outgrows a small estimate many
// times over, with some varying bytes so that it is not a single run.
std::string SampleText(std::size_t length) {
    std::string text;
    for (std::size_t i = 0; text.size() < length; ++i) {
        text += "Ticket " + std::to_string(i % 97) + ": 03 08 12 17 21 26\r\n";
    }
    text.resize(length);
    return text;
}

std::string Inflate(const std::string& stream, std::size_t estimate) {
    return InflateBuffer(stream.data(), stream.size(), estimate);
}

void ExpectError(const std::string& stream, std::size_t estimate, const char* what) {
    try {
        Inflate(stream, estimate);
        ADD_FAILURE() << what << ": no error";
    } catch (const EDecompressionError& error) {
        EXPECT_STREQ(error.what(), "Error") << what;
    }
}

}  // namespace

TEST(InflateBuffer, ReturnsExactlyTheInflatedBytesWhateverTheEstimate) {
    const std::string data = SampleText(200000);
    const std::string stream = ZlibStream(data);
    ASSERT_LT(stream.size() * 20, data.size());  // growth by the rounded stream length is small
    for (std::size_t estimate :
         {std::size_t{0}, std::size_t{1}, std::size_t{1000}, data.size(), data.size() * 3}) {
        const std::string out = Inflate(stream, estimate);
        EXPECT_EQ(out.size(), data.size()) << "estimate " << estimate;
        EXPECT_TRUE(out == data) << "estimate " << estimate;
    }
}

TEST(InflateBuffer, EmptyStreamGivesEmptyOutput) {
    const std::string stream = ZlibStream("");
    EXPECT_EQ(Inflate(stream, 0), "");
    EXPECT_EQ(Inflate(stream, 10), "");
}

TEST(InflateBuffer, IncompressibleDataComesBackWhole) {
    std::string data(70000, '\0');
    std::uint32_t x = 12345;
    for (char& c : data) {
        x = x * 1103515245u + 12345u;
        c = static_cast<char>(x >> 24);
    }
    const std::string stream = ZlibStream(data);
    EXPECT_TRUE(Inflate(stream, 0) == data);
    EXPECT_TRUE(Inflate(stream, 100) == data);
}

TEST(InflateBuffer, EveryBrokenStreamRaisesError) {
    const std::string data = SampleText(5000);
    const std::string stream = ZlibStream(data);

    ExpectError("", 0, "empty input");
    ExpectError("", 100, "empty input with an estimate");
    ExpectError(stream.substr(0, stream.size() - 4), data.size(), "no Adler-32 trailer");
    ExpectError(stream.substr(0, stream.size() / 2), 0, "cut in the middle");
    ExpectError(stream.substr(2), data.size(), "no zlib header (raw deflate)");

    std::string badCheck = stream;
    badCheck.back() = static_cast<char>(badCheck.back() ^ 1);
    ExpectError(badCheck, data.size(), "wrong Adler-32");

    std::string corrupt = stream;
    corrupt[2] = static_cast<char>(0xFF);  // block type 3 does not exist
    ExpectError(corrupt, data.size(), "invalid block type");

    ExpectError("\x1f\x8b\x08\x00\x00\x00\x00\x00\x00\x03", 0, "gzip header");
}

TEST(InflateBuffer, StreamWithPresetDictionaryRaisesError) {
    z_stream z{};
    ASSERT_EQ(deflateInit(&z, Z_BEST_COMPRESSION), Z_OK);
    const std::string dictionary = "03 08 12 17 21 26";
    deflateSetDictionary(&z, reinterpret_cast<const Bytef*>(dictionary.data()),
                         static_cast<uInt>(dictionary.size()));
    std::string input = "03 08 12 17 21 26 30", stream(256, '\0');
    z.next_in = reinterpret_cast<Bytef*>(input.data());
    z.avail_in = static_cast<uInt>(input.size());
    z.next_out = reinterpret_cast<Bytef*>(stream.data());
    z.avail_out = static_cast<uInt>(stream.size());
    ASSERT_EQ(deflate(&z, Z_FINISH), Z_STREAM_END);
    stream.resize(z.total_out);
    deflateEnd(&z);

    ExpectError(stream, input.size(), "preset dictionary");
}

// Input that arrives in slices, however small, inflates as a whole block does,
// and running out of slices before the stream's end is still an error.
TEST(InflateBuffer, InputInSlicesGivesTheSameResult) {
    const std::string data = SampleText(20000);
    const std::string stream = ZlibStream(data);
    for (std::size_t sliceLength : {std::size_t{1}, std::size_t{7}, std::size_t{4096}}) {
        for (std::size_t cut : {std::size_t{0}, std::size_t{5}}) {
            const std::string input = stream.substr(0, stream.size() - cut);
            std::size_t given = 0;
            auto slices = [&] {
                const std::string_view slice = std::string_view(input).substr(given, sliceLength);
                given += slice.size();
                return slice;
            };
            if (cut == 0) {
                EXPECT_TRUE(InflateBuffer(slices, input.size(), 0) == data) << sliceLength;
            } else {
                EXPECT_THROW(InflateBuffer(slices, input.size(), data.size()), EDecompressionError)
                    << sliceLength;
            }
        }
    }
}
