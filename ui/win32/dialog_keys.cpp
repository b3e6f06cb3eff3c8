#include "ui/win32/dialog_keys.h"

#include <optional>

#include "ui/form.h"
#include "ui/win32/window_impl.h"

namespace ui::win32 {

namespace {

bool Held(int key) {
    return ::GetKeyState(key) < 0;
}

std::optional<KeyPress> KeyOf(const MSG& message) {
    const bool repeated = (message.lParam & (1L << 30)) != 0;
    const bool alt = message.message == WM_SYSKEYDOWN;
    KeyPress press{Key::Tab, 0, Held(VK_SHIFT), alt};
    const WPARAM key = message.wParam;
    if (Held(VK_CONTROL)) {
        return std::nullopt;  // Ctrl combinations are the focused control's
    }
    if (key == VK_TAB && !alt) {
        return press;
    }
    if (key == VK_MENU) {
        press.key = Key::Alt;
        return repeated ? std::nullopt : std::optional<KeyPress>(press);
    }
    if (repeated) {
        return std::nullopt;  // a held key presses once
    }
    if (key == VK_RETURN && !alt) {
        press.key = Key::Return;
    } else if (key == VK_ESCAPE && !alt) {
        press.key = Key::Escape;
    } else if (key == VK_SPACE && !alt) {
        press.key = Key::Space;
    } else if (key >= 'A' && key <= 'Z') {
        press.key = Key::Letter;
        press.letter = static_cast<char>(key);
    } else {
        return std::nullopt;
    }
    return press;
}

}  // namespace

bool TranslateDialogKey(const MSG& message) {
    if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) {
        return false;
    }
    Form* form = FormOfWindow(::GetAncestor(message.hwnd, GA_ROOT));
    if (form == nullptr || !::IsWindowEnabled(message.hwnd)) {
        return false;
    }
    const std::optional<KeyPress> press = KeyOf(message);
    return press && form->HandleKey(*press);
}

}  // namespace ui::win32
