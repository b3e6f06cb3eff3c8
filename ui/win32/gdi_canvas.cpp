#include "ui/win32/gdi_canvas.h"

#include "platform/win32/wide.h"

namespace ui::win32 {

GdiCanvas::GdiCanvas(HDC dc)
    : dc_(dc),
      originalPen_(::GetCurrentObject(dc, OBJ_PEN)),
      originalBrush_(::GetCurrentObject(dc, OBJ_BRUSH)),
      originalFont_(::GetCurrentObject(dc, OBJ_FONT)) {}

GdiCanvas::~GdiCanvas() {
    while (!saved_.empty()) {
        Restore();
    }
    ::SelectObject(dc_, originalPen_);
    ::SelectObject(dc_, originalBrush_);
    ::SelectObject(dc_, originalFont_);
}

void GdiCanvas::SetPen(Color color, int width) {
    state_.penColor = color;
    state_.penWidth = width;
}

void GdiCanvas::SetBrush(Color color) {
    state_.brush = color;
}

void GdiCanvas::SetFont(const Font& font) {
    state_.font = font;
}

void GdiCanvas::SetTextBackground(Color color) {
    state_.textBackground = color;
}

void GdiCanvas::SelectShapeObjects() {
    ::SelectObject(dc_, cache_.Pen(state_.penColor, state_.penWidth));
    ::SelectObject(dc_, cache_.Brush(state_.brush));
}

void GdiCanvas::SelectTextObjects() {
    ::SelectObject(dc_, cache_.FontFor(state_.font));
    ::SetTextColor(dc_, ToColorRef(state_.font.color));
    if (state_.textBackground.isNone()) {
        ::SetBkMode(dc_, TRANSPARENT);
    } else {
        ::SetBkMode(dc_, OPAQUE);
        ::SetBkColor(dc_, ToColorRef(state_.textBackground));
    }
}

void GdiCanvas::FillRect(const Rect& rect) {
    if (state_.brush.isNone()) {
        return;
    }
    const RECT r{rect.left, rect.top, rect.right, rect.bottom};
    ::FillRect(dc_, &r, cache_.Brush(state_.brush));
}

void GdiCanvas::Rectangle(const Rect& rect) {
    SelectShapeObjects();
    ::Rectangle(dc_, rect.left, rect.top, rect.right, rect.bottom);
}

void GdiCanvas::RoundRect(const Rect& rect, int ellipseWidth, int ellipseHeight) {
    SelectShapeObjects();
    ::RoundRect(dc_, rect.left, rect.top, rect.right, rect.bottom, ellipseWidth, ellipseHeight);
}

void GdiCanvas::Ellipse(const Rect& rect) {
    SelectShapeObjects();
    ::Ellipse(dc_, rect.left, rect.top, rect.right, rect.bottom);
}

void GdiCanvas::MoveTo(int x, int y) {
    ::MoveToEx(dc_, x, y, nullptr);
}

void GdiCanvas::LineTo(int x, int y) {
    SelectShapeObjects();
    ::LineTo(dc_, x, y);
}

void GdiCanvas::TextOut(int x, int y, const std::string& text) {
    SelectTextObjects();
    const std::wstring wide = platform::win32::Wide(text);
    ::TextOutW(dc_, x, y, wide.data(), static_cast<int>(wide.size()));
}

Size GdiCanvas::TextExtent(const std::string& text) {
    SelectTextObjects();
    const std::wstring wide = platform::win32::Wide(text);
    SIZE size{};
    ::GetTextExtentPoint32W(dc_, wide.data(), static_cast<int>(wide.size()), &size);
    return {size.cx, size.cy};
}

void GdiCanvas::Draw(int x, int y, const Bitmap& bitmap) {
    const auto& source = static_cast<const GdiBitmap&>(bitmap);
    ::BitBlt(dc_, x, y, source.width(), source.height(), source.dc(), 0, 0, SRCCOPY);
}

void GdiCanvas::DrawTransparent(int x, int y, const Bitmap& bitmap, Color key) {
    const auto& source = static_cast<const GdiBitmap&>(bitmap);
    ::GdiTransparentBlt(dc_, x, y, source.width(), source.height(), source.dc(), 0, 0,
                        source.width(), source.height(), ToColorRef(key));
}

void GdiCanvas::Save() {
    saved_.emplace_back(state_, ::SaveDC(dc_));
}

void GdiCanvas::Restore() {
    if (saved_.empty()) {
        return;
    }
    state_ = saved_.back().first;
    ::RestoreDC(dc_, saved_.back().second);
    saved_.pop_back();
}

void GdiCanvas::Translate(int dx, int dy) {
    ::OffsetViewportOrgEx(dc_, dx, dy, nullptr);
}

void GdiCanvas::ClipTo(const Rect& rect) {
    ::IntersectClipRect(dc_, rect.left, rect.top, rect.right, rect.bottom);
}

GdiBitmap::GdiBitmap(int width, int height) {
    Resize(width, height);
}

GdiBitmap::~GdiBitmap() {
    Release();
}

void GdiBitmap::Release() {
    canvas_.reset();
    if (dc_ != nullptr) {
        ::SelectObject(dc_, originalBitmap_);
        ::DeleteDC(dc_);
        dc_ = nullptr;
    }
    if (bitmap_ != nullptr) {
        ::DeleteObject(bitmap_);
        bitmap_ = nullptr;
    }
    bits_ = nullptr;
}

void GdiBitmap::Resize(int width, int height) {
    Release();
    width_ = width;
    height_ = height;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width > 0 ? width : 1;
    info.bmiHeader.biHeight = -(height > 0 ? height : 1);  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    dc_ = ::CreateCompatibleDC(nullptr);
    bitmap_ = ::CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<std::uint32_t*>(bits);
    originalBitmap_ = ::SelectObject(dc_, bitmap_);
    canvas_ = std::make_unique<GdiCanvas>(dc_);
}

Color GdiBitmap::PixelAt(int x, int y) const {
    if (bits_ == nullptr || x < 0 || y < 0 || x >= width_ || y >= height_) {
        return Color::None();
    }
    ::GdiFlush();
    const std::uint32_t pixel = bits_[static_cast<std::size_t>(y) * width_ + x];  // 0x00RRGGBB
    return Color::Rgb((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

}  // namespace ui::win32

namespace ui {

std::unique_ptr<Bitmap> CreateBitmap(int width, int height) {
    return std::make_unique<win32::GdiBitmap>(width, height);
}

Color ResolveColor(Color color) {
    if (!color.isSystem()) {
        return color;
    }
    const COLORREF ref = ::GetSysColor(static_cast<int>(color.systemIndex()));
    return Color::Rgb(GetRValue(ref), GetGValue(ref), GetBValue(ref));
}

}  // namespace ui
