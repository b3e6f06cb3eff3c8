#include "platform/copy_hand_off.h"

#include <algorithm>

#include "platform/platform.h"

namespace platform {

namespace {

// The first bytes of every hand-off: another program's data in a pipe, or a
// hand-off of another layout, is not taken for one.
constexpr std::string_view kMark("tshand1\n", 8);
constexpr std::size_t kFixedBytes = kMark.size() + 8 + 8 + 4 + sizeof(CopyToken) + 4;
constexpr std::size_t kMaxPathBytes = 32767 * 3;
static_assert(kMaxCopyHandOffBytes == kFixedBytes + kMaxPathBytes);

std::string Hex(const CopyToken& token) {
    std::string text;
    for (const unsigned char byte : token) {
        text += "0123456789abcdef"[byte >> 4];
        text += "0123456789abcdef"[byte & 15];
    }
    return text;
}

void Put(std::string& bytes, std::uint64_t value, int size) {
    for (int i = 0; i < size; ++i) {
        bytes += static_cast<char>((value >> (8 * i)) & 0xff);
    }
}

// Reads little-endian numbers and plain bytes off the front of a hand-off.
class Reader {
  public:
    explicit Reader(std::string_view bytes) : rest_(bytes) {}
    std::uint64_t Number(std::size_t size) {
        const std::string_view bytes = Take(size);
        std::uint64_t value = 0;
        for (std::size_t i = bytes.size(); i-- > 0;) {
            value = value << 8 | static_cast<unsigned char>(bytes[i]);
        }
        return value;
    }
    std::string_view Take(std::size_t size) {
        if (size > rest_.size()) {
            failed_ = true;
            return {};
        }
        const std::string_view taken = rest_.substr(0, size);
        rest_.remove_prefix(size);
        return taken;
    }
    // True when every read found its bytes and none are left.
    bool Whole() const { return !failed_ && rest_.empty(); }

  private:
    std::string_view rest_;
    bool failed_ = false;
};

}  // namespace

std::string CopyFileName(const CopyToken& token) {
    return "tsun" + Hex(token) + ".exe";
}

std::string AsideFileName(const CopyToken& token) {
    return "tsold" + Hex(token) + ".exe";
}

std::string EncodeCopyHandOff(const CopyHandOff& handOff) {
    std::string bytes(kMark);
    Put(bytes, handOff.resultPipe, 8);
    Put(bytes, handOff.originalProcess, 8);
    Put(bytes, handOff.originalProcessId, 4);
    bytes.append(handOff.token.begin(), handOff.token.end());
    Put(bytes, handOff.originalPath.size(), 4);
    return bytes + handOff.originalPath;
}

std::optional<CopyHandOff> DecodeCopyHandOff(std::string_view bytes) {
    Reader reader(bytes);
    CopyHandOff handOff;
    const bool marked = reader.Take(kMark.size()) == kMark;
    handOff.resultPipe = reader.Number(8);
    handOff.originalProcess = reader.Number(8);
    handOff.originalProcessId = static_cast<std::uint32_t>(reader.Number(4));
    const std::string_view token = reader.Take(sizeof(CopyToken));
    std::copy(token.begin(), token.end(), handOff.token.begin());
    const std::size_t pathBytes = reader.Number(4);
    handOff.originalPath = reader.Take(pathBytes);
    if (!marked || !reader.Whole() || handOff.resultPipe == 0 || handOff.originalProcess == 0 ||
        handOff.originalProcessId == 0 || pathBytes == 0 || pathBytes > kMaxPathBytes ||
        handOff.originalPath.find('\0') != std::string::npos) {
        return std::nullopt;
    }
    return handOff;
}

std::string CopySwitchFor(std::uint64_t handOffPipe) {
    std::string digits;
    do {
        digits.insert(digits.begin(), "0123456789abcdef"[handOffPipe % 16]);
        handOffPipe /= 16;
    } while (handOffPipe != 0);
    return std::string(kTemporaryCopySwitch) + " " + digits;
}

std::optional<std::uint64_t> HandOffPipeOf(std::string_view commandLine) {
    // Past the program's path, which may be quoted and hold spaces.
    std::size_t at = 0;
    if (commandLine.starts_with('"')) {
        at = commandLine.find('"', 1);
        if (at == std::string_view::npos) {
            return std::nullopt;
        }
    }
    const std::string marker = std::string(" ") + kTemporaryCopySwitch + " ";
    at = commandLine.find(marker, at);
    if (at == std::string_view::npos) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    std::size_t digits = 0;
    for (at += marker.size(); at < commandLine.size() && commandLine[at] != ' '; ++at) {
        const char c = commandLine[at];
        const int digit = c >= '0' && c <= '9'   ? c - '0'
                          : c >= 'a' && c <= 'f' ? c - 'a' + 10
                          : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                 : -1;
        if (digit < 0 || ++digits > 16) {
            return std::nullopt;
        }
        value = value << 4 | static_cast<unsigned>(digit);
    }
    if (value == 0) {
        return std::nullopt;
    }
    return value;
}

}  // namespace platform
