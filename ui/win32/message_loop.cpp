#include <windows.h>

#include "ui/application.h"
#include "ui/backend.h"
#include "ui/win32/dialog_keys.h"

namespace ui::backend {

// The wide calls throughout: a character typed into one of the windows,
// which are all of wide classes, reaches it as the UTF-16 unit it is, never
// through the ANSI code page.
void RunMessageLoop(Application& application) {
    MSG message;
    while (!application.terminated()) {
        const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
        if (got == 0 || got == -1) {
            application.QuitReceived();
            break;
        }
        if (win32::TranslateDialogKey(message)) {
            continue;
        }
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

void ProcessPendingMessages(Application& application) {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            application.QuitReceived();
            return;
        }
        if (win32::TranslateDialogKey(message)) {
            continue;
        }
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

void WaitForMessage() {
    // MWMO_INPUTAVAILABLE counts messages already in the queue too, so one
    // that arrived just before the wait is never slept over.
    ::MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

void PostQuit() {
    ::PostQuitMessage(0);
}

}  // namespace ui::backend
