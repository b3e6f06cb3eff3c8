#include "ui/win32/accessible_node.h"

#include <new>
#include <string>
#include <vector>

#include "platform/win32/com_ids.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"
#include "ui/accessibility.h"
#include "ui/form.h"
#include "ui/push_button.h"

namespace ui::win32 {

namespace {

using platform::win32::kIidUnknown;
using platform::win32::UniqueCom;

constexpr GUID kIidDispatch = {
    0x00020400, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr GUID kIidEnumVariant = {
    0x00020404, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// Work to do on a node, referring to the caller's callable without a copy:
// one small thunk per callable, so the methods share one guarded frame.
class NodeCall {
  public:
    template <typename F>
    NodeCall(const F& callable)  // NOLINT: made from lambdas in place
        : callable_(&callable), call_([](const void* c, Form& form, Control& node) -> HRESULT {
              return (*static_cast<const F*>(c))(form, node);
          }) {}
    HRESULT operator()(Form& form, Control& node) const { return call_(callable_, form, node); }

  private:
    const void* callable_;
    HRESULT (*call_)(const void*, Form&, Control&);
};

// An empty text is no text: S_FALSE and no string.
HRESULT ReturnText(const std::string& text, BSTR* out) {
    if (text.empty()) {
        return S_FALSE;
    }
    const std::wstring wide = platform::win32::Wide(text);
    *out = OleAccess()->sysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

void SetSelf(VARIANT* out) {
    out->vt = VT_I4;
    out->lVal = CHILDID_SELF;
}

std::string KeyboardShortcut(Control& control) {
    const char key = control.Is<PushButton>() ? static_cast<PushButton&>(control).accessKey() : 0;
    return key != 0 ? std::string("Alt+") + key : std::string();
}

LONG StateBits(HWND window, Form& form, Control& control) {
    const AccessibleStates states = StatesOf(control);
    // The form's client area has the focus itself while none of its
    // controls has it.
    const bool root = &control == &form;
    const bool focused =
        HoldsSystemFocus(window) && (states.focused || (root && form.activeControl() == nullptr));
    LONG bits = 0;
    bits |= states.focusable || root ? STATE_SYSTEM_FOCUSABLE : 0;
    bits |= focused ? STATE_SYSTEM_FOCUSED : 0;
    bits |= states.isDefault ? STATE_SYSTEM_DEFAULT : 0;
    bits |= states.unavailable ? STATE_SYSTEM_UNAVAILABLE : 0;
    bits |= states.invisible ? STATE_SYSTEM_INVISIBLE : 0;
    return bits;
}

// One node of a form's accessible tree: the form's window and the node's id,
// resolved through the window on every call. Child ids are the form's node
// ids (AccessibleId), the ones WinEvents carry, so any node below this one
// answers to its id, not only a direct child. The node is also the
// enumerator of its children, which the accessibility library's
// AccessibleChildren asks for before it counts on child ids 1 to n.
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

    // --- IDispatch: clients call the interface's own methods.

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
        if (parent == nullptr) {
            return E_POINTER;
        }
        *parent = nullptr;
        return OnNode([&](Form& form, Control& node) -> HRESULT {
            void** out = reinterpret_cast<void**>(parent);
            if (&node == &form) {
                return OleAccess()->accessibleObjectFromWindow(
                    window_, static_cast<DWORD>(OBJID_WINDOW), kIidDispatch, out);
            }
            // Controls of role None are left out of the tree.
            Control* above = node.parent();
            while (above != &form && above->accessibleRole() == AccessibleRole::None) {
                above = above->parent();
            }
            return ObjectFor(form, *above, out);
        });
    }

    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        if (count == nullptr) {
            return E_POINTER;
        }
        *count = 0;
        return OnNode([&](Form&, Control& node) {
            *count = static_cast<LONG>(AccessibleChildren(node).size());
            return S_OK;
        });
    }

    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        if (object == nullptr) {
            return E_POINTER;
        }
        *object = nullptr;
        return OnTarget(child, [&](Form& form, Control& target) {
            return child.lVal == CHILDID_SELF
                       ? E_INVALIDARG
                       : ObjectFor(form, target, reinterpret_cast<void**>(object));
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
        return Text(child, shortcut, KeyboardShortcut);
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
        return Number(child, role,
                      [](Form& form, Control& target) { return SystemRole(form, target); });
    }

    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return Number(child, state, [this](Form& form, Control& target) {
            return StateBits(window_, form, target);
        });
    }

    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        if (focus == nullptr) {
            return E_POINTER;
        }
        focus->vt = VT_EMPTY;
        return OnNode([&](Form& form, Control& node) -> HRESULT {
            if (!HoldsSystemFocus(window_)) {
                return S_FALSE;
            }
            Control* active = form.activeControl();
            if (active == nullptr) {
                active = &form;
            }
            if (active != &node && (!IsBelow(*active, node) || AccessibleId(form, *active) < 0)) {
                return S_FALSE;
            }
            return SetNode(focus, form, node, *active);
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
        if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) {
            return E_POINTER;
        }
        *left = *top = *width = *height = 0;
        return OnTarget(child, [&](Form& form, Control& target) {
            RECT rect;
            if (!ScreenRect(window_, form, target, rect)) {
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

    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* hit) override {
        if (hit == nullptr) {
            return E_POINTER;
        }
        hit->vt = VT_EMPTY;
        return OnNode([&](Form& form, Control& node) -> HRESULT {
            Control* deepest = DeepestAt(window_, form, node, POINT{x, y});
            return deepest != nullptr ? SetNode(hit, form, node, *deepest) : S_FALSE;
        });
    }

    // Only posts the action: see RunPostedDefaultAction.
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        return OnTarget(child, [&](Form& form, Control& target) -> HRESULT {
            if (target.DefaultActionName().empty() || !target.Showing() || !target.enabled()) {
                return DISP_E_MEMBERNOTFOUND;
            }
            if (!PostDefaultAction(window_, AccessibleId(form, target), target)) {
                return HRESULT_FROM_WIN32(::GetLastError());
            }
            return S_OK;
        });
    }

    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

    // --- IEnumVARIANT: the children, each as an object.

    HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT* items, ULONG* fetched) override {
        if (fetched != nullptr) {
            *fetched = 0;
        }
        if (items == nullptr) {
            return E_POINTER;
        }
        return OnNode([&](Form& form, Control& node) -> HRESULT {
            const std::vector<Control*> children = AccessibleChildren(node);
            ULONG done = 0;
            for (; done < count && position_ < children.size(); ++done, ++position_) {
                items[done].vt = VT_EMPTY;
                if (HRESULT result = SetNode(&items[done], form, node, *children[position_]);
                    FAILED(result)) {
                    for (ULONG i = 0; i < done; ++i) {
                        items[i].pdispVal->Release();
                        items[i].vt = VT_EMPTY;
                    }
                    return result;
                }
            }
            if (fetched != nullptr) {
                *fetched = done;
            }
            return done == count ? S_OK : S_FALSE;
        });
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
        return OnNode([&](Form&, Control& node) {
            const std::size_t total = AccessibleChildren(node).size();
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
        auto* node = new (std::nothrow) AccessibleNode(window_, form_, id_);
        if (node != nullptr) {
            node->position_ = position_;
        }
        *copy = node;  // with the one reference it was made with
        return node != nullptr ? S_OK : E_OUTOFMEMORY;
    }

  private:
    ~AccessibleNode() = default;

    // Runs the body on the form and this node, unless either has gone.
    // Nothing thrown may cross into the client's call.
    HRESULT OnNode(NodeCall body) const noexcept {
        try {
            Form* form = LiveForm(window_, form_);
            Control* node = form != nullptr ? AccessibleById(*form, id_) : nullptr;
            return node != nullptr ? body(*form, *node) : RPC_E_DISCONNECTED;
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        } catch (...) {
            return E_FAIL;
        }
    }

    // Runs the body on the node a call names: this one (CHILDID_SELF) or
    // one below it.
    HRESULT OnTarget(const VARIANT& child, NodeCall body) const {
        return OnNode([&](Form& form, Control& node) -> HRESULT {
            if (child.vt != VT_I4) {
                return E_INVALIDARG;
            }
            Control* target = child.lVal == CHILDID_SELF ? &node : AccessibleById(form, child.lVal);
            if (target == nullptr || (target != &node && !IsBelow(*target, node))) {
                return E_INVALIDARG;
            }
            return body(form, *target);
        });
    }

    // A whole number of the node a call names, as a VT_I4.
    template <typename Read>
    HRESULT Number(const VARIANT& child, VARIANT* out, const Read& read) const {
        if (out == nullptr) {
            return E_POINTER;
        }
        out->vt = VT_EMPTY;
        return OnTarget(child, [&](Form& form, Control& target) {
            out->vt = VT_I4;
            out->lVal = read(form, target);
            return S_OK;
        });
    }

    HRESULT Text(const VARIANT& child, BSTR* out, std::string (*read)(Control&)) const {
        if (out == nullptr) {
            return E_POINTER;
        }
        *out = nullptr;
        return OnTarget(child,
                        [&](Form&, Control& target) { return ReturnText(read(target), out); });
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

    // `found` as a client expects it from this node: CHILDID_SELF for the
    // node itself, else the found node's object.
    HRESULT SetNode(VARIANT* out, Form& form, Control& node, Control& found) const {
        if (&found == &node) {
            SetSelf(out);
            return S_OK;
        }
        void* object = nullptr;
        const HRESULT result = ObjectFor(form, found, &object);
        if (SUCCEEDED(result)) {
            out->vt = VT_DISPATCH;
            out->pdispVal = static_cast<IDispatch*>(object);
        }
        return result;
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
    // Our reference goes with `owner`; the caller keeps the queried one.
    UniqueCom<IAccessible> owner(created);
    return created->QueryInterface(iid, object);
}

}  // namespace ui::win32
