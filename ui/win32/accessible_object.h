#pragma once

// Active Accessibility for the toolkit's forms: each form answers
// WM_GETOBJECT for its client area with an IAccessible tree built from the
// portable model (ui/accessibility.h), and tells clients of changes with
// WinEvents.
//
// The objects handed to clients hold only the form's window handle and a
// node id, and find the form again (FormOfWindow) and the node in it on
// every call: a client that holds one after the window, the form or the
// node has gone gets RPC_E_DISCONNECTED, never a dangling pointer.
//
// What a form's window procedure does:
// - WM_GETOBJECT: return AnswerGetObject(form, hwnd, wParam, lParam) when
//   it is not 0, else DefWindowProc.
// - Any other message: RunPostedDefaultAction(form, message, wParam, lParam)
//   first; true means the message was ours and is answered with 0.
// And its FormHost::NotifyAccessible calls NotifyWinEventFor.
//
// The accessibility library (oleacc.dll, no KnownDLL) is loaded from the
// system folder the first time a client asks; where it cannot be loaded the
// form answers nothing and the system's default object stands in.

#include <windows.h>

#include "ui/accessibility.h"

namespace ui {
class Control;
class Form;
}  // namespace ui

namespace ui::win32 {

// The answer to WM_GETOBJECT: for the client object the form's root node,
// marshalled for the caller; 0 for any other object, for a window that is
// not this form's, or without the accessibility library.
LRESULT AnswerGetObject(Form& form, HWND hwnd, WPARAM wParam, LPARAM lParam);

// A client's accDoDefaultAction only posts the action to the form's window:
// a button's click may run a whole modal installation, which must not run
// inside the client's call. This runs a posted action; false for any other
// message.
bool RunPostedDefaultAction(Form& form, UINT message, WPARAM wParam, LPARAM lParam);

// Raises the WinEvent for a change of a control of the form shown in
// formHwnd; nothing for a control outside the accessible tree. (The system's
// edit control raises its own focus event for its window as well.)
void NotifyWinEventFor(HWND formHwnd, Form& form, Control& control, AccessibleEvent event);

}  // namespace ui::win32
