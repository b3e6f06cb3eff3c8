#pragma once

// What the accessible objects of ui/win32/accessible_object.h share inside
// the backend: the run-time loaded library functions, the way back from a
// window to its form, and the objects' factory.

#include <windows.h>
// windows.h first: the accessibility header builds on it.
#include <oleacc.h>

namespace ui {
class Control;
class Form;
}  // namespace ui

namespace ui::win32 {

// IID_IAccessible, defined here so that the executable needs no GUID library.
inline constexpr GUID kIidAccessible = {
    0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

// The calls into the accessibility library and OLE automation, both loaded
// from the system folder the first time they are needed; nullptr where
// either library or one of the calls is missing.
struct OleAccessFunctions {
    decltype(&::LresultFromObject) lresultFromObject = nullptr;
    decltype(&::AccessibleObjectFromWindow) accessibleObjectFromWindow = nullptr;
    decltype(&::SysAllocStringLen) sysAllocStringLen = nullptr;
};
const OleAccessFunctions* OleAccess();

// The form whose window this is, if it is still the form an object was made
// for: a window handle may come back for another window, and then `made` is
// only compared, never followed.
Form* LiveForm(HWND hwnd, const Form* made);

// Posts the control's default action (node `id` of the form shown in hwnd)
// to run from the message loop; false when it could not be posted.
bool PostDefaultAction(HWND hwnd, int id, const Control& control);

// --- The tree as the window system sees it (accessible_tree.cpp)

LONG SystemRole(Form& form, const Control& control);
// Whether the control lies below the ancestor (not the ancestor itself).
bool IsBelow(const Control& control, const Control& ancestor);
// Whether the system's keyboard focus is in the window or below it.
bool HoldsSystemFocus(HWND window);
// The control's rectangle in screen coordinates; false while its window is
// missing.
bool ScreenRect(HWND formWindow, Form& form, Control& control, RECT& rect);
// The deepest showing node below `node` (or `node` itself) whose rectangle
// holds the point.
Control* DeepestAt(HWND formWindow, Form& form, Control& node, POINT point);
// The window of the system's edit control that shows an edit box.
HWND EditWindowOf(Control& edit);

// The object for node `id` of the form shown in hwnd, queried for iid.
HRESULT CreateAccessibleNode(HWND hwnd, const Form* form, int id, REFIID iid, void** object);

}  // namespace ui::win32
