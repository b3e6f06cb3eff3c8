// Reads another program's window as a screen reader does, through Active
// Accessibility, for the acceptance tests (never shipped):
//
//   accessibility_probe tree TITLE
//       the accessible tree of the window's client area, one line a node,
//       indented two spaces a level: role text, name in quotes, the value
//       after "=", the states among focusable, focused, default, unavailable
//       and invisible, and the default action in brackets. Where a call
//       fails its HRESULT is printed in the line ("role?0x80004001").
//   accessibility_probe press TITLE NAME
//       the default action of the first node (depth first) named NAME.
//
// A node that is another window's object (an edit box, which the system
// describes) stands as that window's client object, where the system
// gives the window object no role of its own.
//
// Titles and names are UTF-8 on the command line and in the output. Exit
// code 0 on success; 1 when the window, its object or the node is missing or
// a call fails, with the reason and its HRESULT on standard error.

#include <windows.h>
// windows.h first: the accessibility header builds on it.
#include <oleacc.h>

#include <cstdio>
#include <iterator>
#include <string>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"
#include "tests/acceptance/tools/utf8_arguments.h"
#include "ui/entry.h"

namespace {

using platform::win32::UniqueCom;

constexpr GUID kIidAccessible = {
    0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

class Bstr {
  public:
    Bstr() = default;
    ~Bstr() { ::SysFreeString(value_); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    BSTR* out() { return &value_; }
    bool empty() const { return value_ == nullptr || ::SysStringLen(value_) == 0; }
    std::string Narrow() const {
        if (empty()) {
            return {};
        }
        return platform::win32::Narrow(std::wstring_view(value_, ::SysStringLen(value_)));
    }

  private:
    BSTR value_ = nullptr;
};

class Variant {
  public:
    Variant() { ::VariantInit(&value_); }
    ~Variant() { ::VariantClear(&value_); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    VARIANT* out() { return &value_; }
    const VARIANT& get() const { return value_; }

  private:
    VARIANT value_;
};

VARIANT ChildId(LONG id) {
    VARIANT v;
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

std::string Hex(HRESULT result) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(result));
    return text;
}

// A node: an object, or a simple element of one (child id other than self).
struct Node {
    UniqueCom<IAccessible> object;
    LONG child = CHILDID_SELF;
};

UniqueCom<IAccessible> AccessibleOf(IUnknown* unknown) {
    void* raw = nullptr;
    if (unknown == nullptr || FAILED(unknown->QueryInterface(kIidAccessible, &raw))) {
        return UniqueCom<IAccessible>();
    }
    return UniqueCom<IAccessible>(static_cast<IAccessible*>(raw));
}

UniqueCom<IAccessible> ClientObjectOf(HWND window, HRESULT& result) {
    void* raw = nullptr;
    result = ::AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), kIidAccessible,
                                          &raw);
    return UniqueCom<IAccessible>(SUCCEEDED(result) ? static_cast<IAccessible*>(raw) : nullptr);
}

// The client object in place of a window object that tells nothing itself.
void PreferClientObject(Node& node) {
    if (node.child != CHILDID_SELF) {
        return;
    }
    Variant role;
    const HRESULT asked = node.object.get()->get_accRole(ChildId(CHILDID_SELF), role.out());
    if (SUCCEEDED(asked) && role.get().vt == VT_I4 && role.get().lVal != ROLE_SYSTEM_WINDOW) {
        return;
    }
    HWND window = nullptr;
    HRESULT result = ::WindowFromAccessibleObject(node.object.get(), &window);
    if (FAILED(result) || window == nullptr) {
        return;
    }
    if (auto client = ClientObjectOf(window, result); client.valid()) {
        node.object = std::move(client);
    }
}

std::vector<Node> ChildrenOf(const Node& parent, HRESULT& result) {
    std::vector<Node> nodes;
    result = S_OK;
    if (parent.child != CHILDID_SELF) {
        return nodes;  // a simple element has none
    }
    LONG count = 0;
    result = parent.object.get()->get_accChildCount(&count);
    if (FAILED(result) || count <= 0) {
        return nodes;
    }
    std::vector<VARIANT> children(static_cast<std::size_t>(count));
    LONG obtained = 0;
    result = ::AccessibleChildren(parent.object.get(), 0, count, children.data(), &obtained);
    for (LONG i = 0; i < obtained; ++i) {
        VARIANT& child = children[static_cast<std::size_t>(i)];
        if (child.vt == VT_DISPATCH) {
            Node node{AccessibleOf(child.pdispVal), CHILDID_SELF};
            if (node.object.valid()) {
                PreferClientObject(node);
                nodes.push_back(std::move(node));
            }
        } else if (child.vt == VT_I4) {
            parent.object.get()->AddRef();
            nodes.push_back({UniqueCom<IAccessible>(parent.object.get()), child.lVal});
        }
        ::VariantClear(&child);
    }
    return nodes;
}

std::string NameOf(const Node& node) {
    Bstr name;
    node.object.get()->get_accName(ChildId(node.child), name.out());
    return name.Narrow();
}

std::string Line(const Node& node) {
    IAccessible* object = node.object.get();
    const VARIANT self = ChildId(node.child);
    std::string line;
    Variant role;
    HRESULT result = object->get_accRole(self, role.out());
    if (SUCCEEDED(result) && role.get().vt == VT_I4) {
        wchar_t text[128] = {};
        ::GetRoleTextW(static_cast<DWORD>(role.get().lVal), text, std::size(text));
        line += platform::win32::Narrow(text);
    } else {
        line += "role?" + Hex(result);
    }
    Bstr name;
    result = object->get_accName(self, name.out());
    line += FAILED(result) ? " name?" + Hex(result) : " \"" + name.Narrow() + "\"";
    Bstr value;
    result = object->get_accValue(self, value.out());
    if (FAILED(result) && result != E_NOTIMPL && result != DISP_E_MEMBERNOTFOUND) {
        line += " value?" + Hex(result);
    } else if (result == S_OK && !value.empty()) {
        line += " = \"" + value.Narrow() + "\"";
    }
    Variant state;
    result = object->get_accState(self, state.out());
    if (SUCCEEDED(result) && state.get().vt == VT_I4) {
        static const struct {
            LONG bit;
            const char* word;
        } kWords[] = {{STATE_SYSTEM_FOCUSABLE, "focusable"},
                      {STATE_SYSTEM_FOCUSED, "focused"},
                      {STATE_SYSTEM_DEFAULT, "default"},
                      {STATE_SYSTEM_UNAVAILABLE, "unavailable"},
                      {STATE_SYSTEM_INVISIBLE, "invisible"}};
        for (const auto& word : kWords) {
            if ((state.get().lVal & word.bit) != 0) {
                line += std::string(" ") + word.word;
            }
        }
    } else {
        line += " state?" + Hex(result);
    }
    Bstr action;
    result = object->get_accDefaultAction(self, action.out());
    if (result == S_OK && !action.empty()) {
        line += " [" + action.Narrow() + "]";
    }
    return line;
}

bool PrintTree(const Node& node, int depth) {
    std::printf("%s%s\n", std::string(static_cast<std::size_t>(depth) * 2, ' ').c_str(),
                Line(node).c_str());
    HRESULT result = S_OK;
    const std::vector<Node> children = ChildrenOf(node, result);
    if (FAILED(result)) {
        std::fprintf(stderr, "the children of \"%s\": %s\n", NameOf(node).c_str(),
                     Hex(result).c_str());
        return false;
    }
    bool complete = true;
    for (const Node& child : children) {
        complete = PrintTree(child, depth + 1) && complete;
    }
    return complete;
}

bool FindNamed(const Node& node, const std::string& name, Node& found) {
    if (NameOf(node) == name) {
        node.object.get()->AddRef();
        found = {UniqueCom<IAccessible>(node.object.get()), node.child};
        return true;
    }
    HRESULT result = S_OK;
    for (const Node& child : ChildrenOf(node, result)) {
        if (FindNamed(child, name, found)) {
            return true;
        }
    }
    return false;
}

}  // namespace

int main() {
    const std::vector<std::string> argv = Utf8Arguments();
    const std::size_t argc = argv.size();
    const std::string command = argc >= 3 ? argv[1] : "";
    if (!((command == "tree" && argc == 3) || (command == "press" && argc == 4))) {
        std::fprintf(stderr, "usage: accessibility_probe tree TITLE | press TITLE NAME\n");
        return 2;
    }
    const HRESULT com = ::CoInitialize(nullptr);
    int code = 1;
    {
        const HWND window = ::FindWindowW(nullptr, platform::win32::Wide(argv[2]).c_str());
        HRESULT result = S_OK;
        Node root;
        if (window == nullptr) {
            std::fprintf(stderr, "no window titled %s\n", argv[2].c_str());
        } else if (root.object = ClientObjectOf(window, result); !root.object.valid()) {
            std::fprintf(stderr, "AccessibleObjectFromWindow(OBJID_CLIENT): %s\n",
                         Hex(result).c_str());
        } else if (command == "tree") {
            code = PrintTree(root, 0) ? 0 : 1;
        } else if (Node found; !FindNamed(root, argv[3], found)) {
            std::fprintf(stderr, "no node named %s\n", argv[3].c_str());
        } else if (result = found.object.get()->accDoDefaultAction(ChildId(found.child));
                   result != S_OK) {
            std::fprintf(stderr, "accDoDefaultAction: %s\n", Hex(result).c_str());
        } else {
            code = 0;
        }
    }
    if (SUCCEEDED(com)) {
        ::CoUninitialize();
    }
    std::fflush(stdout);
    return code;
}

int ApplicationMain() {
    return 0;
}
