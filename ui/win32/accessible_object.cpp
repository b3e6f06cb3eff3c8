#include "ui/win32/accessible_object.h"

#include "platform/win32/system_library.h"
#include "platform/win32/unique_handle.h"
#include "ui/accessibility.h"
#include "ui/form.h"
#include "ui/win32/accessible_node.h"
#include "ui/win32/window_impl.h"

namespace ui::win32 {

namespace {

using platform::win32::UniqueCom;
using platform::win32::UniqueModule;

struct LoadedLibraries {
    UniqueModule oleacc;
    UniqueModule automation;
    OleAccessFunctions functions;
    bool complete = false;
};

template <typename Function>
Function Lookup(const UniqueModule& module, const char* name) {
    if (!module.valid()) {
        return nullptr;
    }
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(::GetProcAddress(module.get(), name)));
}

LoadedLibraries LoadLibraries() {
    LoadedLibraries loaded;
    loaded.oleacc = platform::win32::LoadSystemLibrary("oleacc.dll");
    loaded.automation = platform::win32::LoadSystemLibrary("oleaut32.dll");
    OleAccessFunctions& f = loaded.functions;
    f.lresultFromObject = Lookup<decltype(f.lresultFromObject)>(loaded.oleacc, "LresultFromObject");
    f.accessibleObjectFromWindow =
        Lookup<decltype(f.accessibleObjectFromWindow)>(loaded.oleacc, "AccessibleObjectFromWindow");
    f.sysAllocStringLen =
        Lookup<decltype(f.sysAllocStringLen)>(loaded.automation, "SysAllocStringLen");
    loaded.complete = f.lresultFromObject != nullptr && f.accessibleObjectFromWindow != nullptr &&
                      f.sysAllocStringLen != nullptr;
    return loaded;
}

// Registered on the first posted action, so that windows that never meet a
// client register nothing.
UINT postedActionMessage = 0;

}  // namespace

const OleAccessFunctions* OleAccess() {
    // Loaded once and kept: objects handed out may outlive any one call.
    static const LoadedLibraries loaded = LoadLibraries();
    return loaded.complete ? &loaded.functions : nullptr;
}

Form* LiveForm(HWND hwnd, const Form* made) {
    Form* form = FormOfWindow(hwnd);
    return form != nullptr && form == made ? form : nullptr;
}

LRESULT AnswerGetObject(Form& form, HWND hwnd, WPARAM wParam, LPARAM lParam) {
    // The object id comes as a 32-bit value, sign-extended or not.
    if (static_cast<LONG>(lParam) != OBJID_CLIENT) {
        return 0;
    }
    const OleAccessFunctions* ole = OleAccess();
    if (ole == nullptr || FormOfWindow(hwnd) != &form) {
        return 0;
    }
    void* raw = nullptr;
    if (FAILED(CreateAccessibleNode(hwnd, &form, 0, kIidAccessible, &raw))) {
        return 0;
    }
    UniqueCom<IAccessible> root(static_cast<IAccessible*>(raw));
    // The marshalled object holds its own reference; ours goes with `root`.
    const LRESULT answer = ole->lresultFromObject(kIidAccessible, wParam, root.get());
    return answer > 0 ? answer : 0;
}

bool PostDefaultAction(HWND hwnd, int id, const Control& control) {
    if (postedActionMessage == 0) {
        postedActionMessage = ::RegisterWindowMessageW(L"TessalyAccessibleDefaultAction");
    }
    // The control's address travels only as a token that tells whether node
    // `id` is still the same control when the message arrives; it is
    // compared, never followed.
    return postedActionMessage != 0 &&
           ::PostMessageW(hwnd, postedActionMessage, static_cast<WPARAM>(id),
                          reinterpret_cast<LPARAM>(&control));
}

bool RunPostedDefaultAction(Form& form, UINT message, WPARAM wParam, LPARAM lParam) {
    if (postedActionMessage == 0 || message != postedActionMessage) {
        return false;
    }
    Control* control = AccessibleById(form, static_cast<int>(wParam));
    if (control != nullptr && reinterpret_cast<LPARAM>(control) == lParam) {
        control->DoDefaultAction();
    }
    return true;
}

}  // namespace ui::win32
