#pragma once

#include <memory>
#include <string>

#include "ui/types.h"

namespace ui {

class Bitmap;

// The drawing surface widgets paint on. Semantics are GDI's: rectangles are
// right- and bottom-exclusive; Rectangle, RoundRect and Ellipse outline with
// the pen and fill with the brush; FillRect uses the brush alone. A pen or
// brush of Color::None draws nothing for that part. System colours are
// resolved when drawn. The GDI canvas and the headless pixel canvas both
// implement it, so painting code is tested natively to the pixel.
class Canvas {
  public:
    virtual ~Canvas() = default;

    virtual void SetPen(Color color, int width = 1) = 0;
    virtual void SetBrush(Color color) = 0;
    virtual void SetFont(const Font& font) = 0;
    // Text background: none draws text transparently (the default); a colour
    // fills each text cell first.
    virtual void SetTextBackground(Color color) = 0;
    // The pen width and the font as they were set last, so that drawing code
    // can size one thing after another.
    virtual int PenWidth() const = 0;
    virtual const Font& CurrentFont() const = 0;

    virtual void FillRect(const Rect& rect) = 0;
    virtual void Rectangle(const Rect& rect) = 0;
    virtual void RoundRect(const Rect& rect, int ellipseWidth, int ellipseHeight) = 0;
    virtual void Ellipse(const Rect& rect) = 0;
    virtual void MoveTo(int x, int y) = 0;
    // A line from the current position, the end point excluded (as GDI). A
    // wide pen is centred on the line: half its width falls on either side.
    virtual void LineTo(int x, int y) = 0;

    virtual void TextOut(int x, int y, const std::string& text) = 0;
    virtual Size TextExtent(const std::string& text) = 0;

    // Copies the bitmap with its top-left corner at (x, y).
    virtual void Draw(int x, int y, const Bitmap& bitmap) = 0;
    // The same, leaving out every pixel of the key colour.
    virtual void DrawTransparent(int x, int y, const Bitmap& bitmap, Color key) = 0;

    // Painting of nested controls: moves the origin and narrows the clip
    // until the matching Restore.
    virtual void Save() = 0;
    virtual void Restore() = 0;
    virtual void Translate(int dx, int dy) = 0;
    virtual void ClipTo(const Rect& rect) = 0;
};

// An off-screen bitmap with a canvas of its own.
class Bitmap {
  public:
    virtual ~Bitmap() = default;
    virtual int width() const = 0;
    virtual int height() const = 0;
    // New size; the contents are undefined afterwards.
    virtual void Resize(int width, int height) = 0;
    virtual Canvas& canvas() = 0;
    // The pixel at (x, y) as plain (r, g, b); for tests and colour keys.
    virtual Color PixelAt(int x, int y) const = 0;
};

// Made by the backend in use.
std::unique_ptr<Bitmap> CreateBitmap(int width, int height);

// Saves and restores a canvas's origin and clip for one scope.
class CanvasState {
  public:
    explicit CanvasState(Canvas& canvas) : canvas_(canvas) { canvas_.Save(); }
    ~CanvasState() { canvas_.Restore(); }
    CanvasState(const CanvasState&) = delete;
    CanvasState& operator=(const CanvasState&) = delete;

  private:
    Canvas& canvas_;
};

}  // namespace ui
