#pragma once

#include <algorithm>
#include <cstdint>
#include <string>

namespace ui {

// The system's named colours, by their GetSysColor indices. They are
// resolved to red/green/blue only when something is drawn with them.
enum class SystemColor : int {
    Window = 5,
    WindowText = 8,
    BtnFace = 15,
    BtnShadow = 16,
    BtnText = 18,
    BtnHighlight = 20,
};

// An (r, g, b) triple, a system colour, or none: "no colour at all", which
// switches a drawing feature off and is never black.
class Color {
  public:
    static constexpr Color Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
        return Color(Kind::Rgb, static_cast<std::uint32_t>(r) |
                                    (static_cast<std::uint32_t>(g) << 8) |
                                    (static_cast<std::uint32_t>(b) << 16));
    }
    // Windows packs red in the low byte: 19967 is (255, 77, 0).
    static constexpr Color FromPacked(std::uint32_t packed) {
        return Color(Kind::Rgb, packed & 0xFFFFFF);
    }
    static constexpr Color System(SystemColor index) {
        return Color(Kind::System, static_cast<std::uint32_t>(index));
    }
    static constexpr Color None() { return Color(Kind::None, 0); }

    constexpr Color() : Color(Kind::Rgb, 0) {}

    constexpr bool isNone() const { return kind_ == Kind::None; }
    constexpr bool isSystem() const { return kind_ == Kind::System; }
    constexpr bool isRgb() const { return kind_ == Kind::Rgb; }
    constexpr std::uint8_t r() const { return value_ & 0xFF; }
    constexpr std::uint8_t g() const { return (value_ >> 8) & 0xFF; }
    constexpr std::uint8_t b() const { return (value_ >> 16) & 0xFF; }
    constexpr std::uint32_t packed() const { return value_; }
    constexpr SystemColor systemIndex() const { return static_cast<SystemColor>(value_); }

    constexpr bool operator==(const Color& other) const = default;

  private:
    enum class Kind : std::uint8_t { Rgb, System, None };
    constexpr Color(Kind kind, std::uint32_t value) : kind_(kind), value_(value) {}

    Kind kind_;
    std::uint32_t value_;
};

// Resolves a system colour to plain (r, g, b); plain colours and none pass
// through. Implemented by each backend (the headless one has a fixed table).
Color ResolveColor(Color color);

namespace colors {
inline constexpr Color kBlack = Color::Rgb(0, 0, 0);
inline constexpr Color kMaroon = Color::Rgb(128, 0, 0);
inline constexpr Color kRed = Color::Rgb(255, 0, 0);
inline constexpr Color kYellow = Color::Rgb(255, 255, 0);
inline constexpr Color kWhite = Color::Rgb(255, 255, 255);
inline constexpr Color kSilver = Color::Rgb(192, 192, 192);
inline constexpr Color kGray = Color::Rgb(128, 128, 128);
}  // namespace colors

struct Point {
    int x = 0;
    int y = 0;
    constexpr bool operator==(const Point&) const = default;
};

struct Size {
    int width = 0;
    int height = 0;
    constexpr bool operator==(const Size&) const = default;
};

// A rectangle with right and bottom exclusive, as GDI has it.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    static constexpr Rect FromSize(int left, int top, int width, int height) {
        return {left, top, left + width, top + height};
    }
    constexpr int width() const { return right - left; }
    constexpr int height() const { return bottom - top; }
    constexpr bool empty() const { return right <= left || bottom <= top; }
    constexpr bool Contains(Point p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    constexpr Rect Offset(int dx, int dy) const {
        return {left + dx, top + dy, right + dx, bottom + dy};
    }
    constexpr Rect Inflate(int d) const { return {left - d, top - d, right + d, bottom + d}; }
    constexpr Rect Intersect(const Rect& o) const {
        return {std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
                std::min(bottom, o.bottom)};
    }
    constexpr bool operator==(const Rect&) const = default;
};

// A font as the layouts give it. A negative height is the character height
// in pixels (without internal leading); a positive one is the cell height.
// Without a face of its own a font has the system's dialog face, which
// Windows maps to its user-interface font (Tahoma).
struct Font {
    std::string face = "MS Shell Dlg 2";
    int height = -11;
    bool bold = false;
    bool italic = false;
    Color color = Color::System(SystemColor::WindowText);

    bool operator==(const Font&) const = default;
};

enum class MouseButton { Left, Right, Middle };

// The mouse pointer a control asks for while the mouse is over it. Default
// leaves the choice to its parent, and the window's own arrow in the end.
enum class Cursor { Default, Arrow, Drag };

}  // namespace ui
