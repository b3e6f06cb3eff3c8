#include "ui/win32/own_message_window.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/platform.h"
#include "platform/win32/wide.h"
#include "ui/dpi.h"
#include "ui/win32/gdi_objects.h"
#include "ui/win32/modal.h"
#include "ui/win32/window_dpi.h"

namespace ui::win32 {

namespace {

using platform::win32::Wide;

constexpr int kMargin = 12;
constexpr int kGap = 10;
constexpr int kButtonWidth = 82;
constexpr int kButtonHeight = 26;
constexpr int kButtonSpacing = 8;
constexpr int kMaxTextWidth = 420;
constexpr int kIconSize = 32;
constexpr int kTextOverhang = 4;
constexpr int kIconId = 900;
constexpr int kTextId = 901;

struct ButtonInfo {
    int id;
    std::string caption;
};

std::vector<ButtonInfo> ButtonsOf(const MessageBoxSpec& spec) {
    static const ButtonInfo kStandard[] = {
        {kResultOk, "OK"},         {kResultYes, "&Yes"},     {kResultNo, "&No"},
        {kResultCancel, "Cancel"}, {kResultRetry, "&Retry"}, {kResultClose, "&Close"},
    };
    static const unsigned kBits[] = {kButtonOk,     kButtonYes,   kButtonNo,
                                     kButtonCancel, kButtonRetry, kButtonClose};
    std::vector<ButtonInfo> buttons;
    for (int i = 0; i < 6; ++i) {
        if (spec.standardButtons & kBits[i]) {
            buttons.push_back(kStandard[i]);
        }
    }
    for (const CustomButton& custom : spec.customButtons) {
        buttons.push_back({custom.id, custom.caption});
    }
    if (buttons.empty()) {
        buttons.push_back(kStandard[0]);
    }
    return buttons;
}

LPCWSTR IconResource(BoxIcon icon) {
    switch (icon) {
        case BoxIcon::Warning:
            return reinterpret_cast<LPCWSTR>(IDI_WARNING);
        case BoxIcon::Question:
            return reinterpret_cast<LPCWSTR>(IDI_QUESTION);
        case BoxIcon::Error:
            return reinterpret_cast<LPCWSTR>(IDI_ERROR);
        case BoxIcon::Information:
            return reinterpret_cast<LPCWSTR>(IDI_INFORMATION);
        case BoxIcon::None:
            break;
    }
    return nullptr;
}

std::string CaptionShown(const MessageBoxSpec& spec) {
    if (!spec.caption.empty()) {
        return spec.caption;
    }
    std::string name = platform::ExecutableFileName();
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos) {
        name.erase(dot);
    }
    return name;
}

// As UTF-16 text, which the system offers to programs that ask for the ANSI
// or OEM form as well.
void CopyToClipboard(HWND owner, const std::string& text) {
    if (!::OpenClipboard(owner)) {
        return;
    }
    ::EmptyClipboard();
    const std::wstring wide = Wide(text);
    const std::size_t size = (wide.size() + 1) * sizeof(wchar_t);
    if (HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, size)) {
        if (void* bytes = ::GlobalLock(memory)) {
            std::memcpy(bytes, wide.c_str(), size);
            ::GlobalUnlock(memory);
            if (::SetClipboardData(CF_UNICODETEXT, memory) == nullptr) {
                ::GlobalFree(memory);
            }
        } else {
            ::GlobalFree(memory);
        }
    }
    ::CloseClipboard();
}

// State of the one box on screen; the dialog procedure reaches it through
// DWLP_USER, the Ctrl+C hook through this pointer (one modal box at a time).
struct BoxState {
    const MessageBoxSpec* spec;
    std::vector<ButtonInfo> buttons;
    int defaultId;
    HWND dialog = nullptr;
    HFONT textFont = nullptr;
    HFONT headingFont = nullptr;
    HICON icon = nullptr;
};
BoxState* activeBox = nullptr;
HHOOK copyHook = nullptr;

LRESULT CALLBACK CopyHook(int code, WPARAM wParam, LPARAM lParam) noexcept {
    auto* message = reinterpret_cast<MSG*>(lParam);
    if (code == MSGF_DIALOGBOX && activeBox != nullptr && message->message == WM_KEYDOWN &&
        message->wParam == 'C' && (::GetKeyState(VK_CONTROL) & 0x8000)) {
        CopyToClipboard(activeBox->dialog,
                        ClipboardTextOf(CaptionShown(*activeBox->spec), activeBox->spec->text));
        return 1;
    }
    return ::CallNextHookEx(copyHook, code, wParam, lParam);
}

void Layout(BoxState& box) {
    const HWND dialog = box.dialog;
    const MessageBoxSpec& spec = *box.spec;
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    // Margins, buttons and the icon are designed at 96 dpi; the system's
    // message font is at the system's dpi already.
    const int dpi = WindowDpi(dialog);
    const auto scaled = [dpi](int length) { return ScaleLength(length, dpi); };
    const int margin = scaled(kMargin);
    const int gap = scaled(kGap);
    const int buttonWidth = scaled(kButtonWidth);
    const int buttonHeight = scaled(kButtonHeight);
    const int buttonSpacing = scaled(kButtonSpacing);
    const int iconSize = scaled(kIconSize);

    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof metrics;
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    LOGFONTW heading = metrics.lfMessageFont;
    heading.lfHeight = heading.lfHeight * 4 / 3;
    box.textFont = ::CreateFontIndirectW(&metrics.lfMessageFont);
    box.headingFont = ::CreateFontIndirectW(&heading);
    const std::wstring shownText = Wide(spec.text);

    // Measure the text, wrapped at the widest line we allow.
    RECT textRect{0, 0, scaled(kMaxTextWidth), 0};
    const HDC dc = ::GetDC(dialog);
    const HGDIOBJ old = ::SelectObject(dc, box.headingFont);
    ::DrawTextW(dc, shownText.c_str(), static_cast<int>(shownText.size()), &textRect,
                DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
    ::SelectObject(dc, old);
    ::ReleaseDC(dialog, dc);
    // The static control draws the last glyph of a line a few pixels past the
    // measured extent (its overhang); without room for it the line is clipped.
    textRect.right += scaled(kTextOverhang);

    const LPCWSTR iconResource = IconResource(spec.icon);
    const int textLeft = margin + (iconResource ? iconSize + gap : 0);
    const int contentHeight = std::max<int>(textRect.bottom, iconResource ? iconSize : 0);
    const int buttonCount = static_cast<int>(box.buttons.size());
    const int buttonsWidth = buttonCount * buttonWidth + (buttonCount - 1) * buttonSpacing;
    const int clientWidth =
        std::max(textLeft + static_cast<int>(textRect.right), buttonsWidth) + 2 * margin;
    const int buttonTop = margin + contentHeight + 2 * gap;
    const int clientHeight = buttonTop + buttonHeight + margin;

    if (iconResource) {
        HWND icon = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_ICON, margin,
                                      margin, iconSize, iconSize, dialog,
                                      reinterpret_cast<HMENU>(kIconId), instance, nullptr);
        // The system's icon drawn at the size it is shown, not stretched.
        box.icon = static_cast<HICON>(
            ::LoadImageW(nullptr, iconResource, IMAGE_ICON, iconSize, iconSize, 0));
        ::SendMessageW(
            icon, STM_SETICON,
            reinterpret_cast<WPARAM>(box.icon ? box.icon : ::LoadIconW(nullptr, iconResource)), 0);
    }
    HWND text = ::CreateWindowExW(0, L"STATIC", shownText.c_str(),
                                  WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, textLeft, margin,
                                  textRect.right, textRect.bottom, dialog,
                                  reinterpret_cast<HMENU>(kTextId), instance, nullptr);
    ::SendMessageW(text, WM_SETFONT, reinterpret_cast<WPARAM>(box.headingFont), FALSE);

    int x = clientWidth - margin - buttonsWidth;
    HWND focus = nullptr;
    for (const ButtonInfo& info : box.buttons) {
        const bool isDefault = info.id == box.defaultId;
        HWND button = ::CreateWindowExW(
            0, L"BUTTON", Wide(info.caption).c_str(),
            WS_CHILD | WS_VISIBLE | WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), x,
            buttonTop, buttonWidth, buttonHeight, dialog, reinterpret_cast<HMENU>(info.id),
            instance, nullptr);
        ::SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(box.textFont), FALSE);
        if (isDefault || focus == nullptr) {
            focus = isDefault ? button : (focus ? focus : button);
        }
        x += buttonWidth + buttonSpacing;
    }
    ::SendMessageW(dialog, DM_SETDEFID, static_cast<WPARAM>(box.defaultId), 0);

    const RECT frame = FrameAround(
        {clientWidth, clientHeight}, static_cast<DWORD>(::GetWindowLongPtrW(dialog, GWL_STYLE)),
        static_cast<DWORD>(::GetWindowLongPtrW(dialog, GWL_EXSTYLE)), dpi);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const POINT at = CentredOnScreen(width, height);
    ::SetWindowPos(dialog, HWND_TOP, at.x, at.y, width, height, 0);
    ::SetFocus(focus);
}

INT_PTR CALLBACK BoxProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    auto* box = reinterpret_cast<BoxState*>(::GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG:
            box = reinterpret_cast<BoxState*>(lParam);
            ::SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(box));
            box->dialog = dialog;
            ::SetWindowTextW(dialog, Wide(CaptionShown(*box->spec)).c_str());
            Layout(*box);
            return FALSE;  // focus was set by Layout
        case WM_CTLCOLORSTATIC:
            if (reinterpret_cast<HWND>(lParam) == ::GetDlgItem(dialog, kTextId)) {
                const HDC dc = reinterpret_cast<HDC>(wParam);
                ::SetTextColor(dc, RGB(0, 51, 153));
                ::SetBkMode(dc, TRANSPARENT);
                return reinterpret_cast<INT_PTR>(::GetSysColorBrush(COLOR_BTNFACE));
            }
            return FALSE;
        case WM_CLOSE:
            // The close box exists only where cancel is allowed.
            if (box != nullptr && box->spec->allowCancel) {
                ::EndDialog(dialog, kResultCancel);
            }
            return TRUE;
        case WM_COMMAND: {
            if (box == nullptr || HIWORD(wParam) != BN_CLICKED) {
                return FALSE;
            }
            const int id = LOWORD(wParam);
            const bool isButton = std::any_of(box->buttons.begin(), box->buttons.end(),
                                              [&](const ButtonInfo& b) { return b.id == id; });
            if (isButton && lParam != 0) {
                ::EndDialog(dialog, id);
            } else if (id == IDCANCEL && box->spec->allowCancel) {
                // Esc: the dialog manager's IDCANCEL without a Cancel button.
                const bool hasCancel = box->spec->standardButtons & kButtonCancel;
                ::EndDialog(dialog, hasCancel ? kResultCancel : box->spec->ownWindowEscapeResult);
            } else if (isButton) {
                ::EndDialog(dialog, id);  // Enter on the default button
            }
            return TRUE;
        }
        default:
            return FALSE;
    }
}

}  // namespace

int ShowOwnMessageWindow(const MessageBoxSpec& spec) {
    BoxState box{&spec, ButtonsOf(spec), EffectiveDefaultButton(spec)};

    // An empty template (no controls, no menu, no class, no title): the
    // controls are made in WM_INITDIALOG once the text is measured.
    alignas(4) WORD templ[16] = {};
    auto* header = reinterpret_cast<DLGTEMPLATE*>(templ);
    header->style = WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SETFOREGROUND |
                    (spec.allowCancel ? WS_SYSMENU : 0);
    header->dwExtendedStyle = WS_EX_DLGMODALFRAME;

    BoxState* previous = activeBox;
    activeBox = &box;
    HHOOK hook = ::SetWindowsHookExW(WH_MSGFILTER, &CopyHook, nullptr, ::GetCurrentThreadId());
    HHOOK previousHook = copyHook;
    copyHook = hook;
    INT_PTR result = 0;
    {
        // The box is modal to the whole application: every other window of
        // this thread stays disabled while it is up.
        const ThreadWindowsDisabled disabled;
        result = ::DialogBoxIndirectParamW(::GetModuleHandleW(nullptr), header, nullptr,
                                           &BoxProcedure, reinterpret_cast<LPARAM>(&box));
    }
    if (hook != nullptr) {
        ::UnhookWindowsHookEx(hook);
    }
    copyHook = previousHook;
    activeBox = previous;
    if (box.textFont) {
        ::DeleteObject(box.textFont);
    }
    if (box.headingFont) {
        ::DeleteObject(box.headingFont);
    }
    if (box.icon) {
        ::DestroyIcon(box.icon);
    }
    return result > 0 ? static_cast<int>(result) : 0;
}

}  // namespace ui::win32
