#pragma once

#include <windows.h>

#include <memory>

#include "ui/backend.h"
#include "ui/control.h"
#include "ui/mouse_router.h"
#include "ui/win32/gdi_canvas.h"

namespace ui::win32 {

// The OS window of one windowed container (a form or a panel): paints the
// container and its windowless descendants through a back buffer, and routes
// mouse input to them. Exceptions never cross the window procedure: they are
// shown by the application and the message loop goes on.
class WindowImpl : public FormHost {
  public:
    WindowImpl(Container& control);
    ~WindowImpl() override;

    HWND hwnd() const { return hwnd_; }
    Container& control() { return control_; }

    void Invalidate(const Rect& rect) override;
    void Update() override;
    void SyncBounds() override;
    void SyncVisibility() override;
    void SetCapture(bool capture) override;
    std::optional<Point> CursorPosition() const override;
    void SyncCaption() override;
    int Dpi() const override;
    void RequestClose() override;
    void FocusWindow() override;
    void NotifyAccessible(Control& control, AccessibleEvent event) override;
    bool RequestKeyboardCues() override;

    static void RegisterClass();
    // Takes the keyboard cues the window system keeps for the window.
    void ReadKeyboardCues();
    static constexpr const wchar_t* kClassName = L"TessalyWindow";

  protected:
    void Attach(HWND hwnd) { hwnd_ = hwnd; }
    virtual LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

  private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam,
                                      LPARAM lParam) noexcept;
    void PaintNow();
    void OnMouseMove(Point at);

    HWND hwnd_ = nullptr;
    Container& control_;
    MouseRouter router_;
    bool trackingLeave_ = false;
    bool sizingFromWindow_ = false;
    std::unique_ptr<GdiBitmap> backBuffer_;
};

// The form whose top-level window this is, or nullptr for any other window.
Form* FormOfWindow(HWND window);

// HWND of the window that shows the control (nullptr before it exists).
HWND WindowOf(Control& control);
// A child window's position in the client area of its parent's window.
Point ChildWindowOrigin(const Control& control);

}  // namespace ui::win32
