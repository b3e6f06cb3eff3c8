#include "ui/win32/edit_window.h"

#include <memory>
#include <string>

#include "platform/win32/wide.h"
#include "ui/backend.h"
#include "ui/edit.h"
#include "ui/win32/gdi_objects.h"
#include "ui/win32/window_impl.h"

namespace ui::win32 {

namespace {

// The window property that leads from an edit window back to its host.
constexpr wchar_t kHostProperty[] = L"TessalyEditHost";

// The system's edit control behind an Edit, made with the wide call so that
// it holds any character the user types or pastes. In lower-case mode the
// control itself lowers whatever is typed or pasted into it.
class EditWindow final : public EditHost {
  public:
    explicit EditWindow(Edit& edit) : edit_(edit) {
        const Point at = ChildWindowOrigin(edit);
        const HWND parent = edit.parent() != nullptr ? WindowOf(*edit.parent()) : nullptr;
        hwnd_ =
            ::CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", platform::win32::Wide(edit.text()).c_str(),
                              Style(), at.x, at.y, edit.width(), edit.height(), parent, nullptr,
                              ::GetModuleHandleW(nullptr), nullptr);
        if (hwnd_ != nullptr) {
            ::SetPropW(hwnd_, kHostProperty, this);
            TakeFont(FALSE);
        }
    }
    ~EditWindow() override {
        if (hwnd_ != nullptr) {
            ::RemovePropW(hwnd_, kHostProperty);
            ::DestroyWindow(hwnd_);
        }
    }
    EditWindow(const EditWindow&) = delete;
    EditWindow& operator=(const EditWindow&) = delete;

    static EditWindow* FromHandle(HWND window) {
        return static_cast<EditWindow*>(::GetPropW(window, kHostProperty));
    }

    void Invalidate(const Rect&) override { ::InvalidateRect(hwnd_, nullptr, TRUE); }
    void Update() override { ::UpdateWindow(hwnd_); }
    void SyncBounds() override {
        const Point at = ChildWindowOrigin(edit_);
        ::SetWindowPos(hwnd_, nullptr, at.x, at.y, edit_.width(), edit_.height(),
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
    void SyncVisibility() override { ::ShowWindow(hwnd_, edit_.visible() ? SW_SHOW : SW_HIDE); }
    // The system's control handles its own mouse input.
    void SetCapture(bool) override {}
    std::optional<Point> CursorPosition() const override {
        POINT cursor;
        if (!::GetCursorPos(&cursor) || !::ScreenToClient(hwnd_, &cursor)) {
            return std::nullopt;
        }
        return Point{cursor.x, cursor.y};
    }

    std::string Text() const override {
        const int length = ::GetWindowTextLengthW(hwnd_);
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        const int copied = ::GetWindowTextW(hwnd_, text.data(), length + 1);
        text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
        return platform::win32::Narrow(text);
    }
    void SetText(const std::string& text) override {
        ::SetWindowTextW(hwnd_, platform::win32::Wide(text).c_str());
    }
    void SyncStyle() override {
        ::SetWindowLongPtrW(hwnd_, GWL_STYLE, static_cast<LONG_PTR>(Style()));
        TakeFont(TRUE);
        ::InvalidateRect(hwnd_, nullptr, TRUE);
    }
    void TakeFocus() override { ::SetFocus(hwnd_); }

    Edit& edit() { return edit_; }

    HBRUSH Colors(HDC dc) {
        ::SetTextColor(dc, ToColorRef(edit_.font().color));
        ::SetBkColor(dc, ToColorRef(edit_.color()));
        return cache_.Brush(edit_.color());
    }

  private:
    // The control's font is made anew when the edit's changes (at another
    // dpi), and the one it replaces is deleted once the control has let go.
    void TakeFont(BOOL redraw) {
        if (font_ != nullptr && fontValue_ == edit_.font()) {
            return;
        }
        auto font = std::make_unique<UniqueFont>(edit_.font());
        ::SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font->get()), redraw);
        font_ = std::move(font);
        fontValue_ = edit_.font();
    }

    DWORD Style() const {
        return WS_CHILD | WS_TABSTOP | ES_AUTOHSCROLL | (edit_.lowerCase() ? ES_LOWERCASE : 0) |
               (edit_.visible() ? WS_VISIBLE : 0);
    }

    Edit& edit_;
    HWND hwnd_ = nullptr;
    std::unique_ptr<UniqueFont> font_;
    Font fontValue_;
    GdiObjectCache cache_;  // the field's brush
};

}  // namespace

Control* EditControlOf(HWND edit) {
    EditWindow* host = EditWindow::FromHandle(edit);
    return host != nullptr ? &host->edit() : nullptr;
}

HBRUSH EditColors(HWND edit, HDC dc) {
    EditWindow* host = EditWindow::FromHandle(edit);
    return host != nullptr ? host->Colors(dc) : nullptr;
}

}  // namespace ui::win32

namespace ui::backend {

std::unique_ptr<EditHost> CreateEditHost(Edit& edit) {
    return std::make_unique<win32::EditWindow>(edit);
}

}  // namespace ui::backend
