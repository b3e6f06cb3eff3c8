#pragma once

#include <optional>

#include "ui/types.h"

namespace ui {

class FormHost;

// The OS window behind a windowed control. Each backend implements it: the
// win32 one with an HWND, the headless one as plain state. Coordinates are
// the window's client coordinates.
class WindowHost {
  public:
    virtual ~WindowHost() = default;

    virtual void Invalidate(const Rect& rect) = 0;
    // Paints whatever is pending, now.
    virtual void Update() = 0;
    // The control's bounds or visibility changed; move or show the window.
    virtual void SyncBounds() = 0;
    virtual void SyncVisibility() = 0;
    virtual void SetCapture(bool capture) = 0;
    // The pointer position, or nothing when it is unknown.
    virtual std::optional<Point> CursorPosition() const = 0;
    // This host as a top-level window's (ui/backend.h), or nullptr.
    virtual FormHost* AsFormHost() { return nullptr; }
};

}  // namespace ui
