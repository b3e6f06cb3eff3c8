#include "ui/win32/accessible_object.h"
// windows.h (through the header above) first: the accessibility header
// builds on it.
#include <oleacc.h>

#include "ui/form.h"

namespace ui::win32 {

namespace {

DWORD EventCode(AccessibleEvent event) {
    switch (event) {
        case AccessibleEvent::Focus:
            return EVENT_OBJECT_FOCUS;
        case AccessibleEvent::NameChange:
            return EVENT_OBJECT_NAMECHANGE;
        case AccessibleEvent::ValueChange:
            return EVENT_OBJECT_VALUECHANGE;
        case AccessibleEvent::Show:
            return EVENT_OBJECT_SHOW;
        case AccessibleEvent::Hide:
            return EVENT_OBJECT_HIDE;
    }
    return EVENT_OBJECT_NAMECHANGE;
}

}  // namespace

void NotifyWinEventFor(HWND formHwnd, Form& form, Control& control, AccessibleEvent event) {
    const int id = AccessibleId(form, control);
    if (formHwnd == nullptr || id < 0) {
        return;
    }
    // The ids are the client object's child ids (AnswerGetObject); the form
    // itself is the object.
    ::NotifyWinEvent(EventCode(event), formHwnd, OBJID_CLIENT, id == 0 ? CHILDID_SELF : id);
}

}  // namespace ui::win32
