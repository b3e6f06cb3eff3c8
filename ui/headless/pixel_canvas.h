#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ui/canvas.h"

namespace ui::headless {

// An RGB image: the headless backend's screen and bitmaps.
class PixelBuffer {
  public:
    PixelBuffer(int width, int height, Color fill = colors::kBlack);

    int width() const { return width_; }
    int height() const { return height_; }
    Color At(int x, int y) const;
    void Set(int x, int y, Color color);
    void Resize(int width, int height);
    // Writes a binary PPM (P6) for looking at a failing test's picture.
    bool SavePpm(const std::string& path) const;

  private:
    int width_;
    int height_;
    std::vector<std::uint32_t> pixels_;  // 0x00BBGGRR, as Color packs it
};

// Fixed, documented font metrics, so layouts and text positions are the same
// on every machine. For a font of character height c (the magnitude of a
// negative height; a positive height H is a cell height, c = H * 5 / 6):
//   cell height   = c + c / 5 (integer division: internal leading of a fifth),
//                   or H itself for a positive height, as GDI keeps it
//   advance       = (c * 11 + 19) / 20 per character (about 0.55 c), +1 when bold
// The text is UTF-8; a character is a UTF-16 unit, as GDI counts them (one
// outside the Basic Multilingual Plane counts twice).
// Text is drawn as one font-coloured vertical stroke per non-blank character,
// in the middle of its advance, from the top of the character box (cell top
// plus leading) to three quarters of the cell height; the rest of the cell
// stays untouched, so pixel tests can look past text.
struct FontMetrics {
    int characterHeight;
    int cellHeight;
    int advance;
};
FontMetrics MetricsOf(const Font& font);

// The Canvas on a PixelBuffer, with GDI's rules as measured on GDI under
// Wine, so that painting tested here looks the same on screen:
// - rectangles are right- and bottom-exclusive; Rectangle puts swapped
//   corners in order and draws nothing when empty; FillRect mirrors a
//   swapped rectangle about its first corner (6..5 fills column 6);
// - Rectangle without a pen fills one pixel short on the right and bottom;
// - Ellipse and RoundRect with a one-pixel pen match GDI pixel for pixel
//   when both sides are at least three pixels (round_shapes.h); a wider pen
//   draws them as a one-pixel pen would. Without a pen Wine fills the whole
//   shape, outline included, and so does this canvas; Windows itself is
//   documented to draw such shapes one pixel smaller, like Rectangle. The
//   widgets always draw round shapes with a pen.
// - Text is not rasterised as glyphs: see FontMetrics.
class PixelCanvas final : public Canvas {
  public:
    explicit PixelCanvas(PixelBuffer& target);

    void SetPen(Color color, int width) override;
    void SetBrush(Color color) override;
    void SetFont(const Font& font) override;
    void SetTextBackground(Color color) override;
    int PenWidth() const override { return state_.penWidth; }
    const Font& CurrentFont() const override { return state_.font; }
    void FillRect(const Rect& rect) override;
    void Rectangle(const Rect& rect) override;
    void RoundRect(const Rect& rect, int ellipseWidth, int ellipseHeight) override;
    void Ellipse(const Rect& rect) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void TextOut(int x, int y, const std::string& text) override;
    Size TextExtent(const std::string& text) override;
    void Draw(int x, int y, const Bitmap& bitmap) override;
    void DrawTransparent(int x, int y, const Bitmap& bitmap, Color key) override;
    void Save() override;
    void Restore() override;
    void Translate(int dx, int dy) override;
    void ClipTo(const Rect& rect) override;

  private:
    struct State {
        Color penColor = colors::kBlack;
        int penWidth = 1;
        Color brush = colors::kWhite;
        Font font;
        Color textBackground = Color::None();
        int originX = 0;
        int originY = 0;
        Rect clip;
        Point position;
    };
    void Plot(int x, int y, Color color);  // logical coordinates
    void Span(int y, int x0, int x1, Color color);
    void RoundedShape(const Rect& rect, int ellipseWidth, int ellipseHeight, bool ellipse);
    void DrawBitmap(int x, int y, const Bitmap& bitmap, const Color* key);

    PixelBuffer& target_;
    State state_;
    std::vector<State> saved_;
};

// A bitmap with a PixelCanvas of its own.
class PixelBitmap final : public Bitmap {
  public:
    PixelBitmap(int width, int height);
    int width() const override { return buffer_.width(); }
    int height() const override { return buffer_.height(); }
    void Resize(int width, int height) override;
    Canvas& canvas() override { return *canvas_; }
    Color PixelAt(int x, int y) const override { return buffer_.At(x, y); }
    const PixelBuffer& buffer() const { return buffer_; }

  private:
    PixelBuffer buffer_;
    std::unique_ptr<PixelCanvas> canvas_;
};

}  // namespace ui::headless
