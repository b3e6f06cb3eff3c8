#include "ui/win32/cursors.h"

#include <array>

namespace ui::win32 {

namespace {

constexpr int kSize = 32;

// The drag pointer: an arrow with a small sheet below it, the thing being
// dragged. 'X' is black, '.' white, anything else lets the screen show.
constexpr std::array<const char*, 26> kDragPicture = {
    "X",
    "XX",
    "X.X",
    "X..X",
    "X...X",
    "X....X",
    "X.....X",
    "X......X",
    "X.......X",
    "X........X",
    "X.....XXXXX",
    "X..X..X",
    "X.X X..X",
    "XX  X..X",
    "X    X..X",
    "     X..X",
    "      XX",
    "",
    "   XXXXXXXXXX",
    "   X........X",
    "   X.XXXXXX.X",
    "   X........X",
    "   X.XXXXX..X",
    "   X........X",
    "   X........X",
    "   XXXXXXXXXX",
};

// Monochrome masks as CreateCursor takes them: per pixel the AND bit keeps
// the screen, the XOR bit then draws white.
HCURSOR MakeDragCursor() {
    std::array<BYTE, kSize * kSize / 8> andMask;
    std::array<BYTE, kSize * kSize / 8> xorMask{};
    andMask.fill(0xFF);
    for (int y = 0; y < static_cast<int>(kDragPicture.size()); ++y) {
        const char* row = kDragPicture[static_cast<std::size_t>(y)];
        for (int x = 0; row[x] != '\0' && x < kSize; ++x) {
            const std::size_t byte = static_cast<std::size_t>(y * kSize + x) / 8;
            const BYTE bit = static_cast<BYTE>(0x80 >> (x % 8));
            if (row[x] == 'X' || row[x] == '.') {
                andMask[byte] &= static_cast<BYTE>(~bit);
            }
            if (row[x] == '.') {
                xorMask[byte] |= bit;
            }
        }
    }
    return ::CreateCursor(::GetModuleHandleW(nullptr), 0, 0, kSize, kSize, andMask.data(),
                          xorMask.data());
}

class OwnCursor {
  public:
    explicit OwnCursor(HCURSOR cursor) : cursor_(cursor) {}
    ~OwnCursor() {
        if (cursor_ != nullptr) {
            ::DestroyCursor(cursor_);
        }
    }
    OwnCursor(const OwnCursor&) = delete;
    OwnCursor& operator=(const OwnCursor&) = delete;
    HCURSOR get() const { return cursor_; }

  private:
    HCURSOR cursor_;
};

}  // namespace

HCURSOR CursorHandle(Cursor cursor) {
    if (cursor == Cursor::Drag) {
        static const OwnCursor drag(MakeDragCursor());
        return drag.get();
    }
    return ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
}

}  // namespace ui::win32
