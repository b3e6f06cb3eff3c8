#pragma once

#include <windows.h>

#include <string>
#include <tuple>

#include "ui/flat_map.h"
#include "ui/types.h"

namespace ui::win32 {

COLORREF ToColorRef(Color color);

// The pens, brushes and fonts one canvas has made, created once per distinct
// value and deleted together when the canvas goes away (after the canvas has
// put the DC's original objects back), so no selected object is ever deleted.
class GdiObjectCache {
  public:
    GdiObjectCache() = default;
    ~GdiObjectCache();
    GdiObjectCache(const GdiObjectCache&) = delete;
    GdiObjectCache& operator=(const GdiObjectCache&) = delete;

    HPEN Pen(Color color, int width);
    HBRUSH Brush(Color color);
    HFONT FontFor(const Font& font);

  private:
    FlatMap<std::tuple<std::uint32_t, int>, HPEN> pens_;
    FlatMap<std::uint32_t, HBRUSH> brushes_;
    FlatMap<std::tuple<std::string, int, bool, bool>, HFONT> fonts_;
};

// A font made for measuring or drawing outside a canvas; deleted with the object.
class UniqueFont {
  public:
    explicit UniqueFont(const Font& font);
    ~UniqueFont();
    UniqueFont(const UniqueFont&) = delete;
    UniqueFont& operator=(const UniqueFont&) = delete;
    HFONT get() const { return font_; }

  private:
    HFONT font_;
};

HFONT CreateFontFor(const Font& font);

}  // namespace ui::win32
