#include "ui/headless/pixel_canvas.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>

#include "platform/text_encoding.h"
#include "ui/headless/round_shapes.h"

namespace ui::headless {

namespace {

// The rectangle with its corners put in order, as GDI's shape calls take it.
Rect Ordered(const Rect& r) {
    return {std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
            std::max(r.top, r.bottom)};
}

}  // namespace

PixelBuffer::PixelBuffer(int width, int height, Color fill)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(static_cast<std::size_t>(width_) * height_, ResolveColor(fill).packed()) {}

Color PixelBuffer::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return Color::None();
    }
    return Color::FromPacked(pixels_[static_cast<std::size_t>(y) * width_ + x]);
}

void PixelBuffer::Set(int x, int y, Color color) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_ || color.isNone()) {
        return;
    }
    pixels_[static_cast<std::size_t>(y) * width_ + x] = ResolveColor(color).packed();
}

void PixelBuffer::Resize(int width, int height) {
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    pixels_.assign(static_cast<std::size_t>(width_) * height_, 0);
}

bool PixelBuffer::SavePpm(const std::string& path) const {
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << width_ << " " << height_ << "\n255\n";
    for (std::uint32_t pixel : pixels_) {
        const char rgb[3] = {static_cast<char>(pixel & 0xFF),
                             static_cast<char>((pixel >> 8) & 0xFF),
                             static_cast<char>((pixel >> 16) & 0xFF)};
        out.write(rgb, 3);
    }
    return static_cast<bool>(out);
}

FontMetrics MetricsOf(const Font& font) {
    const int c = font.height < 0 ? -font.height : font.height * 5 / 6;
    const int character = std::max(c, 1);
    const int cell = font.height > 0 ? std::max(font.height, character) : character + character / 5;
    return {character, cell, (character * 11 + 19) / 20 + (font.bold ? 1 : 0)};
}

PixelCanvas::PixelCanvas(PixelBuffer& target) : target_(target) {
    state_.clip = {0, 0, target.width(), target.height()};
}

void PixelCanvas::SetPen(Color color, int width) {
    state_.penColor = color;
    state_.penWidth = std::max(width, 1);
}

void PixelCanvas::SetBrush(Color color) {
    state_.brush = color;
}

void PixelCanvas::SetFont(const Font& font) {
    state_.font = font;
}

void PixelCanvas::SetTextBackground(Color color) {
    state_.textBackground = color;
}

void PixelCanvas::Plot(int x, int y, Color color) {
    const int dx = x + state_.originX;
    const int dy = y + state_.originY;
    if (state_.clip.Contains({dx, dy})) {
        target_.Set(dx, dy, color);
    }
}

void PixelCanvas::Span(int y, int x0, int x1, Color color) {
    for (int x = x0; x < x1; ++x) {
        Plot(x, y, color);
    }
}

void PixelCanvas::FillRect(const Rect& rect) {
    if (state_.brush.isNone()) {
        return;
    }
    // GDI fills a rectangle given right-to-left or bottom-to-top mirrored
    // about its first corner: 6..5 fills column 6.
    const int left = rect.left <= rect.right ? rect.left : rect.right + 1;
    const int right = rect.left <= rect.right ? rect.right : rect.left + 1;
    const int top = rect.top <= rect.bottom ? rect.top : rect.bottom + 1;
    const int bottom = rect.top <= rect.bottom ? rect.bottom : rect.top + 1;
    for (int y = top; y < bottom; ++y) {
        Span(y, left, right, state_.brush);
    }
}

void PixelCanvas::Rectangle(const Rect& given) {
    // GDI puts swapped corners in order; an empty rectangle draws nothing.
    const Rect rect = Ordered(given);
    if (rect.empty()) {
        return;
    }
    if (state_.penColor.isNone()) {
        // GDI draws a pen-less rectangle one pixel short on the right and bottom.
        if (!state_.brush.isNone()) {
            for (int y = rect.top; y < rect.bottom - 1; ++y) {
                Span(y, rect.left, rect.right - 1, state_.brush);
            }
        }
        return;
    }
    if (!state_.brush.isNone()) {
        for (int y = rect.top + 1; y < rect.bottom - 1; ++y) {
            Span(y, rect.left + 1, rect.right - 1, state_.brush);
        }
    }
    // A wide pen straddles the outline: rings from w / 2 outside inwards.
    const int w = state_.penWidth;
    for (int k = 0; k < w; ++k) {
        const Rect r = rect.Inflate(w / 2 - k);
        Span(r.top, r.left, r.right, state_.penColor);
        Span(r.bottom - 1, r.left, r.right, state_.penColor);
        for (int y = r.top; y < r.bottom; ++y) {
            Plot(r.left, y, state_.penColor);
            Plot(r.right - 1, y, state_.penColor);
        }
    }
}

void PixelCanvas::RoundedShape(const Rect& given, int ellipseWidth, int ellipseHeight,
                               bool ellipse) {
    const Rect rect = Ordered(given);
    if (rect.empty()) {
        return;
    }
    const RoundShape shape(rect.width(), rect.height(), ellipseWidth, ellipseHeight, ellipse);
    const bool pen = !state_.penColor.isNone();
    const bool brush = !state_.brush.isNone();
    for (int y = 0; y < shape.height(); ++y) {
        for (int x = 0; x < shape.width(); ++x) {
            if (shape.IsOutline(x, y)) {
                // Without a pen the brush covers the outline too, as GDI
                // under Wine draws it (see the header).
                if (pen || brush) {
                    Plot(rect.left + x, rect.top + y, pen ? state_.penColor : state_.brush);
                }
            } else if (brush && shape.IsInside(x, y)) {
                Plot(rect.left + x, rect.top + y, state_.brush);
            }
        }
    }
}

void PixelCanvas::RoundRect(const Rect& rect, int ellipseWidth, int ellipseHeight) {
    RoundedShape(rect, ellipseWidth, ellipseHeight, false);
}

void PixelCanvas::Ellipse(const Rect& rect) {
    RoundedShape(rect, 0, 0, true);
}

void PixelCanvas::MoveTo(int x, int y) {
    state_.position = {x, y};
}

void PixelCanvas::LineTo(int x, int y) {
    // Bresenham from the current position, the end point excluded; a wide
    // pen stamps a square of its width centred on each point.
    const Point from = state_.position;
    state_.position = {x, y};
    if (state_.penColor.isNone()) {
        return;
    }
    const int w = state_.penWidth;
    const int lo = -(w / 2);
    const int hi = lo + w;
    int cx = from.x, cy = from.y;
    const int dx = std::abs(x - cx), sx = cx < x ? 1 : -1;
    const int dy = -std::abs(y - cy), sy = cy < y ? 1 : -1;
    int error = dx + dy;
    while (cx != x || cy != y) {
        for (int oy = lo; oy < hi; ++oy) {
            for (int ox = lo; ox < hi; ++ox) {
                Plot(cx + ox, cy + oy, state_.penColor);
            }
        }
        const int e2 = 2 * error;
        if (e2 >= dy) {
            error += dy;
            cx += sx;
        }
        if (e2 <= dx) {
            error += dx;
            cy += sy;
        }
    }
}

void PixelCanvas::TextOut(int x, int y, const std::string& text) {
    const FontMetrics metrics = MetricsOf(state_.font);
    const std::u16string units = platform::Utf16FromUtf8(text);
    if (!state_.textBackground.isNone()) {
        for (int row = y; row < y + metrics.cellHeight; ++row) {
            Span(row, x, x + metrics.advance * static_cast<int>(units.size()),
                 state_.textBackground);
        }
    }
    const int top = y + (metrics.cellHeight - metrics.characterHeight);
    const int bottom = y + metrics.cellHeight * 3 / 4;
    for (std::size_t i = 0; i < units.size(); ++i) {
        if (units[i] == u' ') {
            continue;
        }
        const int stroke = x + static_cast<int>(i) * metrics.advance + metrics.advance / 2;
        for (int row = top; row < bottom; ++row) {
            Plot(stroke, row, state_.font.color);
        }
    }
}

Size PixelCanvas::TextExtent(const std::string& text) {
    const FontMetrics metrics = MetricsOf(state_.font);
    return {metrics.advance * static_cast<int>(platform::Utf16FromUtf8(text).size()),
            metrics.cellHeight};
}

void PixelCanvas::DrawBitmap(int x, int y, const Bitmap& bitmap, const Color* key) {
    for (int by = 0; by < bitmap.height(); ++by) {
        for (int bx = 0; bx < bitmap.width(); ++bx) {
            const Color pixel = bitmap.PixelAt(bx, by);
            if (key != nullptr && pixel == ResolveColor(*key)) {
                continue;
            }
            Plot(x + bx, y + by, pixel);
        }
    }
}

void PixelCanvas::Draw(int x, int y, const Bitmap& bitmap) {
    DrawBitmap(x, y, bitmap, nullptr);
}

void PixelCanvas::DrawTransparent(int x, int y, const Bitmap& bitmap, Color key) {
    DrawBitmap(x, y, bitmap, &key);
}

void PixelCanvas::Save() {
    saved_.push_back(state_);
}

void PixelCanvas::Restore() {
    if (!saved_.empty()) {
        state_ = saved_.back();
        saved_.pop_back();
    }
}

void PixelCanvas::Translate(int dx, int dy) {
    state_.originX += dx;
    state_.originY += dy;
}

void PixelCanvas::ClipTo(const Rect& rect) {
    state_.clip = state_.clip.Intersect(rect.Offset(state_.originX, state_.originY));
}

PixelBitmap::PixelBitmap(int width, int height)
    : buffer_(width, height, colors::kWhite), canvas_(std::make_unique<PixelCanvas>(buffer_)) {}

void PixelBitmap::Resize(int width, int height) {
    buffer_.Resize(width, height);
    canvas_ = std::make_unique<PixelCanvas>(buffer_);
}

}  // namespace ui::headless

namespace ui {

std::unique_ptr<Bitmap> CreateBitmap(int width, int height) {
    return std::make_unique<headless::PixelBitmap>(width, height);
}

}  // namespace ui
