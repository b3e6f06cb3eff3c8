#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "ui/canvas.h"
#include "ui/win32/gdi_objects.h"

namespace ui::win32 {

// The canvas over a device context. Drawing state (pen, brush, font, text
// background) lives here and is selected into the DC before each call; the
// DC's own objects are put back when the canvas goes away.
class GdiCanvas final : public Canvas {
  public:
    explicit GdiCanvas(HDC dc);
    ~GdiCanvas() override;
    GdiCanvas(const GdiCanvas&) = delete;
    GdiCanvas& operator=(const GdiCanvas&) = delete;

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

    HDC dc() const { return dc_; }

  private:
    struct State {
        Color penColor = colors::kBlack;
        int penWidth = 1;
        Color brush = colors::kWhite;
        Font font;
        Color textBackground = Color::None();
    };
    void SelectShapeObjects();
    void SelectTextObjects();

    HDC dc_;
    GdiObjectCache cache_;
    State state_;
    std::vector<std::pair<State, int>> saved_;  // state and SaveDC level
    HGDIOBJ originalPen_;
    HGDIOBJ originalBrush_;
    HGDIOBJ originalFont_;
};

// A top-down 32-bit DIB section selected into its own memory DC.
class GdiBitmap final : public Bitmap {
  public:
    GdiBitmap(int width, int height);
    ~GdiBitmap() override;

    int width() const override { return width_; }
    int height() const override { return height_; }
    void Resize(int width, int height) override;
    Canvas& canvas() override { return *canvas_; }
    Color PixelAt(int x, int y) const override;

    HDC dc() const { return dc_; }

  private:
    void Release();

    int width_ = 0;
    int height_ = 0;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ originalBitmap_ = nullptr;
    std::uint32_t* bits_ = nullptr;
    std::unique_ptr<GdiCanvas> canvas_;
};

}  // namespace ui::win32
