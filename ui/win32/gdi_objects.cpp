#include "ui/win32/gdi_objects.h"

#include "platform/win32/wide.h"

namespace ui::win32 {

COLORREF ToColorRef(Color color) {
    const Color plain = ResolveColor(color);
    return RGB(plain.r(), plain.g(), plain.b());
}

HFONT CreateFontFor(const Font& font) {
    return ::CreateFontW(font.height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, font.italic, FALSE,
                         FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                         DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                         platform::win32::Wide(font.face).c_str());
}

UniqueFont::UniqueFont(const Font& font) : font_(CreateFontFor(font)) {}

UniqueFont::~UniqueFont() {
    if (font_ != nullptr) {
        ::DeleteObject(font_);
    }
}

GdiObjectCache::~GdiObjectCache() {
    for (auto& [key, pen] : pens_) {
        ::DeleteObject(pen);
    }
    for (auto& [key, brush] : brushes_) {
        ::DeleteObject(brush);
    }
    for (auto& [key, font] : fonts_) {
        ::DeleteObject(font);
    }
}

HPEN GdiObjectCache::Pen(Color color, int width) {
    if (color.isNone()) {
        return static_cast<HPEN>(::GetStockObject(NULL_PEN));
    }
    const COLORREF ref = ToColorRef(color);
    auto& pen = pens_[{ref, width}];
    if (pen == nullptr) {
        pen = ::CreatePen(PS_SOLID, width, ref);
    }
    return pen;
}

HBRUSH GdiObjectCache::Brush(Color color) {
    if (color.isNone()) {
        return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
    }
    const COLORREF ref = ToColorRef(color);
    auto& brush = brushes_[ref];
    if (brush == nullptr) {
        brush = ::CreateSolidBrush(ref);
    }
    return brush;
}

HFONT GdiObjectCache::FontFor(const Font& font) {
    auto& handle = fonts_[{font.face, font.height, font.bold, font.italic}];
    if (handle == nullptr) {
        handle = CreateFontFor(font);
    }
    return handle;
}

}  // namespace ui::win32
