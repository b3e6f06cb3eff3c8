#include "ui/win32/window_impl.h"

#include <windowsx.h>

#include <iterator>
#include <string_view>

#include "platform/win32/wide.h"

#include "ui/application.h"
#include "ui/form.h"
#include "ui/win32/accessible_object.h"
#include "ui/win32/cursors.h"
#include "ui/win32/describe_reply.h"
#include "ui/win32/edit_window.h"
#include "ui/win32/modal.h"
#include "ui/win32/window_dpi.h"
#include "util/message_error.h"

namespace ui::win32 {

namespace {

DWORD FormStyle(const Form& form) {
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_CLIPCHILDREN;
    if (form.borderStyle() == BorderStyle::Sizeable) {
        style |= WS_THICKFRAME;
    }
    const BorderIcons& icons = form.borderIcons();
    if (icons.systemMenu) {
        style |= WS_SYSMENU;
        if (icons.minimize) {
            style |= WS_MINIMIZEBOX;
        }
        if (icons.maximize) {
            style |= WS_MAXIMIZEBOX;
        }
    }
    return style;
}

DWORD FormExStyle(const Form& form) {
    DWORD style = WS_EX_CONTROLPARENT;
    if (form.ownsTaskbarButton()) {
        style |= WS_EX_APPWINDOW;
    }
    return style;
}

// The window rectangle of the form at its size, at the dpi.
RECT FormFrame(const Form& form, Size client, int dpi) {
    return FrameAround({client.width, client.height}, FormStyle(form), FormExStyle(form), dpi);
}

void ReportException(const std::exception& error) {
    if (Application* application = CurrentApplication()) {
        application->ShowException(error);
    }
}

}  // namespace

void WindowImpl::RegisterClass() {
    static bool registered = false;
    if (registered) {
        return;
    }
    // A class registered with the wide call gets wide messages: every text
    // its windows take or give (captions, WM_GETTEXT) is UTF-16.
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &WindowImpl::Procedure;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hIcon = ::LoadIconW(windowClass.hInstance, L"MAINICON");
    windowClass.lpszClassName = kClassName;
    ::RegisterClassExW(&windowClass);
    registered = true;
}

WindowImpl::WindowImpl(Container& control) : control_(control), router_(control) {}

WindowImpl::~WindowImpl() {
    if (hwnd_ != nullptr) {
        ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        ::DestroyWindow(hwnd_);
    }
}

LRESULT CALLBACK WindowImpl::Procedure(HWND hwnd, UINT message, WPARAM wParam,
                                       LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* self = static_cast<WindowImpl*>(create->lpCreateParams);
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->hwnd_ = hwnd;
    }
    auto* self = reinterpret_cast<WindowImpl*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self == nullptr) {
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
    try {
        return self->Handle(message, wParam, lParam);
    } catch (const std::exception& error) {
        ReportException(error);
    } catch (...) {
        ReportException(MessageError("Unknown error"));
    }
    return 0;
}

LRESULT WindowImpl::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;  // the paint covers everything, through a back buffer
        case WM_PAINT:
            PaintNow();
            return 0;
        case WM_MOUSEMOVE:
            OnMouseMove({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        case WM_MOUSELEAVE:
            trackingLeave_ = false;
            router_.Leave();
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN: {
            const MouseButton button = message == WM_LBUTTONDOWN   ? MouseButton::Left
                                       : message == WM_RBUTTONDOWN ? MouseButton::Right
                                                                   : MouseButton::Middle;
            router_.Down(button, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        }
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP: {
            const MouseButton button = message == WM_LBUTTONUP   ? MouseButton::Left
                                       : message == WM_RBUTTONUP ? MouseButton::Right
                                                                 : MouseButton::Middle;
            router_.Up(button, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        }
        case WM_CAPTURECHANGED:
            // Our own releases come after the router has let go; anything
            // else took the mouse away in the middle of a press.
            if (reinterpret_cast<HWND>(lParam) != hwnd_) {
                router_.CaptureLost();
            }
            return 0;
        case WM_SIZE:
            // The user sized or maximised the frame: the form takes the new
            // client size, which places its aligned children again. A
            // minimised window keeps the size it had.
            if (wParam != SIZE_MINIMIZED && control_.AsForm() != nullptr) {
                sizingFromWindow_ = true;
                control_.SetSize(LOWORD(lParam), HIWORD(lParam));
                sizingFromWindow_ = false;
            }
            return 0;
        case WM_SETCURSOR:
            if (reinterpret_cast<HWND>(wParam) == hwnd_ && LOWORD(lParam) == HTCLIENT) {
                POINT at;
                ::GetCursorPos(&at);
                ::ScreenToClient(hwnd_, &at);
                const Cursor cursor = CursorAt(control_, {at.x, at.y});
                if (cursor != Cursor::Arrow) {
                    ::SetCursor(CursorHandle(cursor));
                    return TRUE;
                }
            }
            return ::DefWindowProcW(hwnd_, message, wParam, lParam);
        case WM_ACTIVATE:
            // The form hands the focus to its control that takes it, if any;
            // otherwise the window keeps it (the default handling).
            if (auto* form = control_.AsForm();
                form != nullptr && LOWORD(wParam) != WA_INACTIVE && form->Activated()) {
                return 0;
            }
            return ::DefWindowProcW(hwnd_, message, wParam, lParam);
        case WM_CTLCOLOREDIT:
            if (const HBRUSH brush =
                    EditColors(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam))) {
                return reinterpret_cast<LRESULT>(brush);
            }
            return ::DefWindowProcW(hwnd_, message, wParam, lParam);
        case WM_UPDATEUISTATE: {
            const LRESULT result = ::DefWindowProcW(hwnd_, message, wParam, lParam);
            ReadKeyboardCues();
            return result;
        }
        case WM_COMMAND:
            // The user clicked into an edit box: the form's focus follows.
            if (HIWORD(wParam) == EN_SETFOCUS) {
                if (Control* edit = EditControlOf(reinterpret_cast<HWND>(lParam))) {
                    if (Form* form = FormOf(*edit)) {
                        form->ControlFocused(*edit);
                    }
                }
            }
            return ::DefWindowProcW(hwnd_, message, wParam, lParam);
        case WM_GETOBJECT:
            if (auto* form = control_.AsForm()) {
                if (const LRESULT object = AnswerGetObject(*form, hwnd_, wParam, lParam)) {
                    return object;
                }
            }
            return ::DefWindowProcW(hwnd_, message, wParam, lParam);
        case kGetDpiScaledSize:
            // The window keeps its designed client size at every dpi, however
            // Windows would scale the frame around it.
            if (auto* form = control_.AsForm()) {
                const Rect bounds = form->BoundsAtDpi(static_cast<int>(LOWORD(wParam)));
                const RECT frame =
                    FormFrame(*form, {bounds.width(), bounds.height()}, LOWORD(wParam));
                *reinterpret_cast<SIZE*>(lParam) = {frame.right - frame.left,
                                                    frame.bottom - frame.top};
                return TRUE;
            }
            return ::DefWindowProcW(hwnd_, message, wParam, lParam);
        case WM_DPICHANGED:
            // Moved to a monitor of another dpi: everything is laid out and
            // drawn again at it, and the window takes the place Windows
            // suggests (which keeps it from bouncing between the monitors).
            if (auto* form = control_.AsForm()) {
                sizingFromWindow_ = true;
                form->SetDpi(static_cast<int>(LOWORD(wParam)));
                sizingFromWindow_ = false;
                const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
                ::SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top,
                               suggested->right - suggested->left,
                               suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
                // Where the frame Windows suggested holds another client size
                // (its own sizing rule, older versions), the window keeps the
                // designed one at its place.
                const Rect designed = form->BoundsAtDpi(form->dpi());
                form->SetSize(designed.width(), designed.height());
                ::InvalidateRect(hwnd_, nullptr, FALSE);
                return 0;
            }
            return ::DefWindowProcW(hwnd_, message, wParam, lParam);
        case WM_CLOSE:
            // Closing is the form's decision (its close query); never destroy here.
            if (auto* form = control_.AsForm()) {
                form->Close();
            }
            return 0;
        default:
            if (auto* form = control_.AsForm();
                form != nullptr && RunPostedDefaultAction(*form, message, wParam, lParam)) {
                return 0;
            }
            if (auto* form = control_.AsForm();
                form != nullptr && AnswerDescribeRequest(*form, message, wParam)) {
                return TRUE;
            }
            return ::DefWindowProcW(hwnd_, message, wParam, lParam);
    }
}

void WindowImpl::OnMouseMove(Point at) {
    if (!trackingLeave_) {
        TRACKMOUSEEVENT track = {};
        track.cbSize = sizeof track;
        track.dwFlags = TME_LEAVE;
        track.hwndTrack = hwnd_;
        trackingLeave_ = ::TrackMouseEvent(&track);
    }
    router_.Move(at);
}

void WindowImpl::PaintNow() {
    PAINTSTRUCT paint;
    const HDC dc = ::BeginPaint(hwnd_, &paint);
    RECT client;
    ::GetClientRect(hwnd_, &client);
    const int width = client.right > 0 ? client.right : 1;
    const int height = client.bottom > 0 ? client.bottom : 1;
    if (!backBuffer_ || backBuffer_->width() != width || backBuffer_->height() != height) {
        backBuffer_ = std::make_unique<GdiBitmap>(width, height);
    }
    {
        Canvas& canvas = backBuffer_->canvas();
        CanvasState state(canvas);
        canvas.ClipTo(
            {paint.rcPaint.left, paint.rcPaint.top, paint.rcPaint.right, paint.rcPaint.bottom});
        PaintTree(control_, canvas, false);
    }
    ::BitBlt(dc, paint.rcPaint.left, paint.rcPaint.top, paint.rcPaint.right - paint.rcPaint.left,
             paint.rcPaint.bottom - paint.rcPaint.top, backBuffer_->dc(), paint.rcPaint.left,
             paint.rcPaint.top, SRCCOPY);
    ::EndPaint(hwnd_, &paint);
}

void WindowImpl::Invalidate(const Rect& rect) {
    const RECT r{rect.left, rect.top, rect.right, rect.bottom};
    ::InvalidateRect(hwnd_, &r, FALSE);
}

void WindowImpl::Update() {
    ::UpdateWindow(hwnd_);
}

void WindowImpl::SyncBounds() {
    if (auto* form = control_.AsForm()) {
        if (sizingFromWindow_) {
            return;  // the window has this size already
        }
        // The frame as the window has it now, where it shows one: its caption
        // and borders are what they are at the monitor's dpi, whatever the
        // system's.
        RECT outer;
        RECT client;
        const RECT frame =
            !::IsIconic(hwnd_) && ::GetWindowRect(hwnd_, &outer) && ::GetClientRect(hwnd_, &client)
                ? RECT{0, 0, form->width() + (outer.right - outer.left) - client.right,
                       form->height() + (outer.bottom - outer.top) - client.bottom}
                : FormFrame(*form, {form->width(), form->height()}, form->dpi());
        ::SetWindowPos(hwnd_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    const Point at = ChildWindowOrigin(control_);
    ::SetWindowPos(hwnd_, nullptr, at.x, at.y, control_.width(), control_.height(),
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

void WindowImpl::SyncVisibility() {
    if (!control_.visible()) {
        ::ShowWindow(hwnd_, SW_HIDE);
        return;
    }
    auto* form = control_.AsForm();
    if (form != nullptr && form->position() == FormPosition::ScreenCenter &&
        !::IsWindowVisible(hwnd_)) {
        CenterOnScreen(hwnd_);
    }
    ::ShowWindow(hwnd_, form != nullptr ? SW_SHOWNORMAL : SW_SHOW);
    if (form != nullptr) {
        ::SetForegroundWindow(hwnd_);
    }
}

int WindowImpl::Dpi() const {
    return WindowDpi(hwnd_);
}

void WindowImpl::SetCapture(bool capture) {
    if (capture) {
        ::SetCapture(hwnd_);
    } else if (::GetCapture() == hwnd_) {
        ::ReleaseCapture();
    }
}

std::optional<Point> WindowImpl::CursorPosition() const {
    POINT cursor;
    if (!::GetCursorPos(&cursor) || !::ScreenToClient(hwnd_, &cursor)) {
        return std::nullopt;
    }
    return Point{cursor.x, cursor.y};
}

void WindowImpl::SyncCaption() {
    if (auto* form = control_.AsForm()) {
        ::SetWindowTextW(hwnd_, platform::win32::Wide(form->caption()).c_str());
    }
}

void WindowImpl::RequestClose() {
    ::PostMessageW(hwnd_, WM_CLOSE, 0, 0);
}

void WindowImpl::NotifyAccessible(Control& control, AccessibleEvent event) {
    if (auto* form = control_.AsForm()) {
        NotifyWinEventFor(hwnd_, *form, control, event);
    }
}

void WindowImpl::FocusWindow() {
    if (::GetFocus() != hwnd_) {
        ::SetFocus(hwnd_);
    }
}

bool WindowImpl::RequestKeyboardCues() {
    // The window system keeps the state for the whole window tree and
    // answers with WM_UPDATEUISTATE; the form takes the cues from there too.
    ::SendMessageW(hwnd_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS | UISF_HIDEACCEL),
                   0);
    return false;
}

void WindowImpl::ReadKeyboardCues() {
    if (auto* form = control_.AsForm()) {
        const LRESULT hidden = ::SendMessageW(hwnd_, WM_QUERYUISTATE, 0, 0);
        form->SetKeyboardCues({(hidden & UISF_HIDEFOCUS) == 0, (hidden & UISF_HIDEACCEL) == 0});
    }
}

Form* FormOfWindow(HWND window) {
    wchar_t name[32] = {};
    if (window == nullptr || ::GetClassNameW(window, name, std::size(name)) == 0 ||
        std::wstring_view(name) != WindowImpl::kClassName) {
        return nullptr;
    }
    auto* impl = reinterpret_cast<WindowImpl*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    return impl != nullptr ? impl->control().AsForm() : nullptr;
}

Point ChildWindowOrigin(const Control& control) {
    const Point parent = control.parent() != nullptr ? control.parent()->OffsetInWindow() : Point{};
    return {parent.x + control.left(), parent.y + control.top()};
}

HWND WindowOf(Control& control) {
    Control* window = control.WindowedAncestor();
    if (window == nullptr || window->host() == nullptr) {
        return nullptr;
    }
    // This backend's window hosts are WindowImpls, but for the edit boxes'.
    FormHost* host = window->host()->AsFormHost();
    return host != nullptr ? static_cast<WindowImpl*>(host)->hwnd() : nullptr;
}

namespace {

class FormWindow final : public WindowImpl {
  public:
    explicit FormWindow(Form& form) : WindowImpl(form) {
        RegisterClass();
        RECT frame{0, 0, form.width(), form.height()};
        ::AdjustWindowRectEx(&frame, FormStyle(form), FALSE, FormExStyle(form));
        ::CreateWindowExW(FormExStyle(form), kClassName,
                          platform::win32::Wide(form.caption()).c_str(), FormStyle(form),
                          CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                          frame.bottom - frame.top, nullptr, nullptr, ::GetModuleHandleW(nullptr),
                          static_cast<WindowImpl*>(this));
        // The cues start hidden, as for a dialog opened with the mouse,
        // unless the user asked the system to show them always.
        BOOL always = FALSE;
        ::SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &always, 0);
        ::SendMessageW(hwnd(), WM_CHANGEUISTATE,
                       MAKEWPARAM(always ? UIS_CLEAR : UIS_SET, UISF_HIDEFOCUS | UISF_HIDEACCEL),
                       0);
        form.SetKeyboardCues({always != FALSE, always != FALSE});
    }
};

class ChildWindow final : public WindowImpl {
  public:
    explicit ChildWindow(Container& control) : WindowImpl(control) {
        RegisterClass();
        const HWND parent = control.parent() != nullptr ? WindowOf(*control.parent()) : nullptr;
        const Point at = ChildWindowOrigin(control);
        ::CreateWindowExW(
            WS_EX_CONTROLPARENT, kClassName, L"",
            WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | (control.visible() ? WS_VISIBLE : 0),
            at.x, at.y, control.width(), control.height(), parent, nullptr,
            ::GetModuleHandleW(nullptr), static_cast<WindowImpl*>(this));
    }
};

}  // namespace

}  // namespace ui::win32

namespace ui::backend {

std::unique_ptr<WindowHost> CreateChildHost(Container& control) {
    return std::make_unique<win32::ChildWindow>(control);
}

std::unique_ptr<FormHost> CreateFormHost(Form& form) {
    return std::make_unique<win32::FormWindow>(form);
}

}  // namespace ui::backend
