#include "ui/dpi.h"

namespace ui {

int ScaleLength(int length, int dpi) {
    const long long scaled = static_cast<long long>(length < 0 ? -length : length) * dpi;
    const int rounded = static_cast<int>((scaled + kDesignDpi / 2) / kDesignDpi);
    return length < 0 ? -rounded : rounded;
}

Rect ScaleRect(const Rect& rect, int dpi) {
    return Rect::FromSize(ScaleLength(rect.left, dpi), ScaleLength(rect.top, dpi),
                          ScaleLength(rect.width(), dpi), ScaleLength(rect.height(), dpi));
}

int LineWidth(int dpi) {
    return dpi / kDesignDpi > 1 ? dpi / kDesignDpi : 1;
}

Font ScaleFont(Font font, int dpi) {
    font.height = ScaleLength(font.height, dpi);
    return font;
}

}  // namespace ui
