#include "ui/win32/accessible_node.h"

#include <new>
#include <string>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "ui/accessibility.h"
#include "ui/form.h"
#include "ui/push_button.h"
#include "ui/win32/edit_window.h"
#include "ui/win32/wide_text.h"
#include "ui/win32/window_impl.h"

namespace ui::win32 {

namespace {

using platform::win32::UniqueCom;

constexpr GUID kIidUnknown = {
    0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr GUID kIidDispatch = {
    0x00020400, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr GUID kIidEnumVariant = {
    0x00020404, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// Nothing thrown may cross into the client's call.
template <typename Body>
HRESULT Guarded(const Body& body) noexcept {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}

HRESULT ReturnText(const std::string& text, BSTR* out) {
    *out = nullptr;
    if (text.empty()) {
        return S_FALSE;
    }
    const std::wstring wide = Widen(text);
    *out = OleAccess()->sysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

void SetSelf(VARIANT* out) {
    out->vt = VT_I4;
    out->lVal = CHILDID_SELF;
}

void SetObject(VARIANT* out, void* object) {
    out->vt = VT_DISPATCH;
    out->pdispVal = static_cast<IDispatch*>(object);
}

LONG SystemRole(Form& form, const Control& control) {
    if (&control == &form) {
        return ROLE_SYSTEM_CLIENT;
    }
    switch (control.accessibleRole()) {
        case AccessibleRole::Grouping:
            return ROLE_SYSTEM_GROUPING;
        case AccessibleRole::StaticText:
            return ROLE_SYSTEM_STATICTEXT;
        case AccessibleRole::PushButton:
            return ROLE_SYSTEM_PUSHBUTTON;
        case AccessibleRole::Graphic:
            return ROLE_SYSTEM_GRAPHIC;
        case AccessibleRole::ProgressBar:
            return ROLE_SYSTEM_PROGRESSBAR;
        case AccessibleRole::Text:
            return ROLE_SYSTEM_TEXT;
        case AccessibleRole::None:
        case AccessibleRole::Client:
            break;
    }
    return ROLE_SYSTEM_CLIENT;
}

bool IsBelow(const Control& control, const Control& ancestor) {
    for (const Control* c = control.parent(); c != nullptr; c = c->parent()) {
        if (c == &ancestor) {
            return true;
        }
    }
    return false;
}

// Whether the system's keyboard focus is in the form's window or below it.
bool HoldsSystemFocus(HWND window) {
    const HWND focus = ::GetFocus();
    return focus != nullptr && (focus == window || ::IsChild(window, focus));
}

// The control's rectangle on the screen. Every control of the tree but the
// form sits in the window of its parent (a windowed one as a child window).
bool ScreenRect(HWND formWindow, Form& form, Control& control, RECT& rect) {
    if (&control == &form) {
        POINT origin{0, 0};
        if (!::GetClientRect(formWindow, &rect) || !::ClientToScreen(formWindow, &origin)) {
            return false;
        }
        ::OffsetRect(&rect, origin.x, origin.y);
        return true;
    }
    const HWND window = WindowOf(*control.parent());
    const Point at = ChildWindowOrigin(control);
    POINT origin{at.x, at.y};
    if (window == nullptr || !::ClientToScreen(window, &origin)) {
        return false;
    }
    rect = {origin.x, origin.y, origin.x + control.width(), origin.y + control.height()};
    return true;
}

// The system's edit control that shows an edit box: the child window of its
// parent's window that belongs to it.
HWND EditWindowOf(Control& edit) {
    const HWND parent = WindowOf(*edit.parent());
    if (parent == nullptr) {
        return nullptr;
    }
    for (HWND child = ::GetWindow(parent, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (EditControlOf(child) == &edit) {
            return child;
        }
    }
    return nullptr;
}

// One node of a form's accessible tree: the form's window and the node's id,
// resolved through the window on every call. It is also the enumerator of
// its children, as the accessibility library's AccessibleChildren asks for.
class AccessibleNode final : public IAccessible, public IEnumVARIANT {
  public:
    AccessibleNode(HWND window, const Form* form, int id) : window_(window), form_(form), id_(id) {}
    AccessibleNode(const AccessibleNode&) = delete;
    AccessibleNode& operator=(const AccessibleNode&) = delete;

    // --- IUnknown

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) {
            return E_POINTER;
        }
        if (iid == kIidUnknown || iid == kIidDispatch || iid == kIidAccessible) {
            *object = static_cast<IAccessible*>(this);
        } else if (iid == kIidEnumVariant) {
            *object = static_cast<IEnumVARIANT*>(this);
        } else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ::InterlockedIncrement(&references_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = ::InterlockedDecrement(&references_);
        if (left == 0) {
            delete this;
        }
        return static_cast<ULONG>(left);
    }

    // --- IDispatch: clients use the interface's own methods.

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count == nullptr) {
            return E_POINTER;
        }
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }

    // --- IAccessible

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return Guarded([&]() -> HRESULT {
            if (parent == nullptr) {
                return E_POINTER;
            }
            *parent = nullptr;
            Form* form = nullptr;
            Control* node = nullptr;
            if (HRESULT result = Resolve(form, node); FAILED(result)) {
                return result;
            }
            if (node == form) {
                return OleAccess()->accessibleObjectFromWindow(
                    window_, static_cast<DWORD>(OBJID_WINDOW), kIidDispatch,
                    reinterpret_cast<void**>(parent));
            }
            // The nearest ancestor in the tree: controls of role None are
            // left out of it.
            Control* above = node->parent();
            while (above != form && above->accessibleRole() == AccessibleRole::None) {
                above = above->parent();
            }
            return ObjectFor(*form, *above, reinterpret_cast<void**>(parent));
        });
    }

    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        return Guarded([&]() -> HRESULT {
            if (count == nullptr) {
                return E_POINTER;
            }
            *count = 0;
            Form* form = nullptr;
            Control* node = nullptr;
            if (HRESULT result = Resolve(form, node); FAILED(result)) {
                return result;
            }
            *count = static_cast<LONG>(AccessibleChildren(*node).size());
            return S_OK;
        });
    }

    // Child ids are the form's node ids (AccessibleId), the ones WinEvents
    // carry: any node below this one answers, not only a direct child.
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        return Guarded([&]() -> HRESULT {
            if (object == nullptr) {
                return E_POINTER;
            }
            *object = nullptr;
            Form* form = nullptr;
            Control* target = nullptr;
            if (HRESULT result = Find(child, form, target); FAILED(result)) {
                return result;
            }
            if (child.lVal == CHILDID_SELF) {
                return E_INVALIDARG;
            }
            return ObjectFor(*form, *target, reinterpret_cast<void**>(object));
        });
    }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        return Text(child, name, [](Control& c) { return c.AccessibleName(); });
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return Text(child, value, [](Control& c) { return c.AccessibleValue(); });
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        return Text(child, description, [](Control&) { return std::string(); });
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return Text(child, help, [](Control&) { return std::string(); });
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return Text(child, action, [](Control& c) { return c.DefaultActionName(); });
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        return Text(child, shortcut, [](Control& c) {
            const char key = c.Is<PushButton>() ? static_cast<PushButton&>(c).accessKey() : 0;
            return key != 0 ? std::string("Alt+") + key : std::string();
        });
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, LONG* topic) override {
        if (file != nullptr) {
            *file = nullptr;
        }
        if (topic != nullptr) {
            *topic = -1;
        }
        return DISP_E_MEMBERNOTFOUND;
    }

    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        return Guarded([&]() -> HRESULT {
            if (role == nullptr) {
                return E_POINTER;
            }
            role->vt = VT_EMPTY;
            Form* form = nullptr;
            Control* target = nullptr;
            if (HRESULT result = Find(child, form, target); FAILED(result)) {
                return result;
            }
            role->vt = VT_I4;
            role->lVal = SystemRole(*form, *target);
            return S_OK;
        });
    }

    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return Guarded([&]() -> HRESULT {
            if (state == nullptr) {
                return E_POINTER;
            }
            state->vt = VT_EMPTY;
            Form* form = nullptr;
            Control* target = nullptr;
            if (HRESULT result = Find(child, form, target); FAILED(result)) {
                return result;
            }
            const AccessibleStates states = StatesOf(*target);
            // The form's client area has the focus itself while none of its
            // controls has it.
            const bool root = target == form;
            const bool focused = HoldsSystemFocus(window_) &&
                                 (states.focused || (root && form->activeControl() == nullptr));
            LONG bits = 0;
            bits |= states.focusable || root ? STATE_SYSTEM_FOCUSABLE : 0;
            bits |= focused ? STATE_SYSTEM_FOCUSED : 0;
            bits |= states.isDefault ? STATE_SYSTEM_DEFAULT : 0;
            bits |= states.unavailable ? STATE_SYSTEM_UNAVAILABLE : 0;
            bits |= states.invisible ? STATE_SYSTEM_INVISIBLE : 0;
            state->vt = VT_I4;
            state->lVal = bits;
            return S_OK;
        });
    }

    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        return Guarded([&]() -> HRESULT {
            if (focus == nullptr) {
                return E_POINTER;
            }
            focus->vt = VT_EMPTY;
            Form* form = nullptr;
            Control* node = nullptr;
            if (HRESULT result = Resolve(form, node); FAILED(result)) {
                return result;
            }
            if (!HoldsSystemFocus(window_)) {
                return S_FALSE;
            }
            Control* active = form->activeControl();
            if (active == node || (active == nullptr && node == form)) {
                SetSelf(focus);
                return S_OK;
            }
            if (active == nullptr || !IsBelow(*active, *node) || AccessibleId(*form, *active) < 0) {
                return S_FALSE;
            }
            void* object = nullptr;
            if (HRESULT result = ObjectFor(*form, *active, &object); FAILED(result)) {
                return result;
            }
            SetObject(focus, object);
            return S_OK;
        });
    }

    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        if (selection != nullptr) {
            selection->vt = VT_EMPTY;
        }
        return DISP_E_MEMBERNOTFOUND;
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG, VARIANT) override { return DISP_E_MEMBERNOTFOUND; }

    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override {
        return Guarded([&]() -> HRESULT {
            if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) {
                return E_POINTER;
            }
            *left = *top = *width = *height = 0;
            Form* form = nullptr;
            Control* target = nullptr;
            if (HRESULT result = Find(child, form, target); FAILED(result)) {
                return result;
            }
            RECT rect;
            if (!ScreenRect(window_, *form, *target, rect)) {
                return E_FAIL;
            }
            *left = rect.left;
            *top = rect.top;
            *width = rect.right - rect.left;
            *height = rect.bottom - rect.top;
            return S_OK;
        });
    }

    HRESULT STDMETHODCALLTYPE accNavigate(LONG, VARIANT, VARIANT* end) override {
        if (end != nullptr) {
            end->vt = VT_EMPTY;
        }
        return E_NOTIMPL;
    }

    // The deepest showing node under the point, this one included.
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* hit) override {
        return Guarded([&]() -> HRESULT {
            if (hit == nullptr) {
                return E_POINTER;
            }
            hit->vt = VT_EMPTY;
            Form* form = nullptr;
            Control* node = nullptr;
            if (HRESULT result = Resolve(form, node); FAILED(result)) {
                return result;
            }
            const POINT point{x, y};
            RECT rect;
            if (!ScreenRect(window_, *form, *node, rect) || !::PtInRect(&rect, point)) {
                return S_FALSE;
            }
            Control* deepest = node;
            for (bool deeper = true; deeper;) {
                deeper = false;
                for (Control* child : AccessibleChildren(*deepest)) {
                    if (child->Showing() && ScreenRect(window_, *form, *child, rect) &&
                        ::PtInRect(&rect, point)) {
                        deepest = child;
                        deeper = true;
                        break;
                    }
                }
            }
            if (deepest == node) {
                SetSelf(hit);
                return S_OK;
            }
            void* object = nullptr;
            if (HRESULT result = ObjectFor(*form, *deepest, &object); FAILED(result)) {
                return result;
            }
            SetObject(hit, object);
            return S_OK;
        });
    }

    // Only posts the action: see RunPostedDefaultAction.
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        return Guarded([&]() -> HRESULT {
            Form* form = nullptr;
            Control* target = nullptr;
            if (HRESULT result = Find(child, form, target); FAILED(result)) {
                return result;
            }
            if (target->DefaultActionName().empty() || !target->Showing() || !target->enabled()) {
                return DISP_E_MEMBERNOTFOUND;
            }
            return PostDefaultAction(window_, AccessibleId(*form, *target), *target)
                       ? S_OK
                       : HRESULT_FROM_WIN32(::GetLastError());
        });
    }

    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

    // --- IEnumVARIANT: the children, each as an object.

    HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT* items, ULONG* fetched) override {
        return Guarded([&]() -> HRESULT {
            if (fetched != nullptr) {
                *fetched = 0;
            }
            if (items == nullptr) {
                return E_POINTER;
            }
            Form* form = nullptr;
            Control* node = nullptr;
            if (HRESULT result = Resolve(form, node); FAILED(result)) {
                return result;
            }
            const std::vector<Control*> children = AccessibleChildren(*node);
            ULONG done = 0;
            for (; done < count && position_ < children.size(); ++done, ++position_) {
                void* object = nullptr;
                if (HRESULT result = ObjectFor(*form, *children[position_], &object);
                    FAILED(result)) {
                    for (ULONG i = 0; i < done; ++i) {
                        items[i].pdispVal->Release();
                        items[i].vt = VT_EMPTY;
                    }
                    return result;
                }
                SetObject(&items[done], object);
            }
            if (fetched != nullptr) {
                *fetched = done;
            }
            return done == count ? S_OK : S_FALSE;
        });
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
        return Guarded([&]() -> HRESULT {
            Form* form = nullptr;
            Control* node = nullptr;
            if (HRESULT result = Resolve(form, node); FAILED(result)) {
                return result;
            }
            const std::size_t total = AccessibleChildren(*node).size();
            position_ += count;
            if (position_ > total) {
                position_ = total;
                return S_FALSE;
            }
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        position_ = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** copy) override {
        if (copy == nullptr) {
            return E_POINTER;
        }
        *copy = nullptr;
        auto* node = new (std::nothrow) AccessibleNode(window_, form_, id_);
        if (node == nullptr) {
            return E_OUTOFMEMORY;
        }
        node->position_ = position_;
        *copy = node;
        return S_OK;
    }

  private:
    ~AccessibleNode() = default;

    // The form and this node, unless either has gone.
    HRESULT Resolve(Form*& form, Control*& node) const {
        form = LiveForm(window_, form_);
        node = form != nullptr ? AccessibleById(*form, id_) : nullptr;
        return node != nullptr ? S_OK : RPC_E_DISCONNECTED;
    }

    // The node a call names: this one (CHILDID_SELF) or one below it.
    HRESULT Find(const VARIANT& child, Form*& form, Control*& target) const {
        Control* node = nullptr;
        if (HRESULT result = Resolve(form, node); FAILED(result)) {
            return result;
        }
        if (child.vt != VT_I4) {
            return E_INVALIDARG;
        }
        target = child.lVal == CHILDID_SELF ? node : AccessibleById(*form, child.lVal);
        if (target == nullptr || (target != node && !IsBelow(*target, *node))) {
            return E_INVALIDARG;
        }
        return S_OK;
    }

    template <typename Read>
    HRESULT Text(const VARIANT& child, BSTR* out, const Read& read) const {
        return Guarded([&]() -> HRESULT {
            if (out == nullptr) {
                return E_POINTER;
            }
            *out = nullptr;
            Form* form = nullptr;
            Control* target = nullptr;
            if (HRESULT result = Find(child, form, target); FAILED(result)) {
                return result;
            }
            return ReturnText(read(*target), out);
        });
    }

    // The object a client gets for a node (as IDispatch): ours, but for an
    // edit box, which is a window of the system's own class and is best
    // described by the system's object for that window.
    HRESULT ObjectFor(Form& form, Control& control, void** object) const {
        if (control.accessibleRole() == AccessibleRole::Text) {
            if (const HWND edit = EditWindowOf(control)) {
                return OleAccess()->accessibleObjectFromWindow(
                    edit, static_cast<DWORD>(OBJID_WINDOW), kIidDispatch, object);
            }
        }
        return CreateAccessibleNode(window_, form_, AccessibleId(form, control), kIidDispatch,
                                    object);
    }

    LONG references_ = 1;
    const HWND window_;
    const Form* const form_;  // compared only: see LiveForm
    const int id_;
    std::size_t position_ = 0;  // of the enumeration
};

}  // namespace

HRESULT CreateAccessibleNode(HWND hwnd, const Form* form, int id, REFIID iid, void** object) {
    *object = nullptr;
    auto* created = new (std::nothrow) AccessibleNode(hwnd, form, id);
    if (created == nullptr) {
        return E_OUTOFMEMORY;
    }
    // Our reference goes when `owner` does; the caller keeps the queried one.
    UniqueCom<IAccessible> owner(created);
    return created->QueryInterface(iid, object);
}

}  // namespace ui::win32
