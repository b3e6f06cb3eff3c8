#pragma once

// Window layouts as data. A layout is a text of sections, one per component:
//
//   [MainForm]
//   kind = Form
//   caption = "Vantrel "
//   client = 685 400
//   color = clRed
//
//   [GradPanel1]
//   kind = GradientPanel
//   parent = MainForm
//   bounds = 0 0 185 400
//   align = left
//   OnClick = btnSetupClick
//
// The first section is the form itself. Values are numbers, "quoted text"
// (UTF-8, as every text of the program), words, or colours (clRed,
// rgb(255, 77, 0), or a packed integer such as 19967). Fonts are written as:
// font = "Tahoma" -15 bold white. Lines starting with '#' are comments.
// Unknown keys are errors, so a typo in a layout fails its test instead of
// being ignored.

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui/control.h"
#include "ui/flat_map.h"
#include "ui/form.h"
#include "util/message_error.h"

namespace ui {

class LayoutError : public MessageError {
  public:
    using MessageError::MessageError;
};

struct LayoutProperty {
    std::string key;
    std::string value;
    int line = 0;
};

struct LayoutComponent {
    std::string name;
    std::string kind;
    std::string parent;  // empty for the form
    std::vector<LayoutProperty> properties;
    int line = 0;
};

struct Layout {
    std::vector<LayoutComponent> components;
};

Layout ParseLayout(const std::string& text);

// One word of a fixed set, as the layouts spell it, and the value it names.
// Tables of them are constant arrays searched in order: a few entries each,
// and no map code or start-up work per table.
template <typename T>
struct NamedValue {
    const char* name;
    T value;
};

// The value that `word` names in `table`, or nullptr.
template <typename T, std::size_t N>
const T* FindNamed(const std::string& word, const NamedValue<T> (&table)[N]) {
    for (const NamedValue<T>& entry : table) {
        if (word == entry.name) {
            return &entry.value;
        }
    }
    return nullptr;
}

// Value readers; each raises LayoutError naming the line on a bad value.
int ParseInt(const LayoutProperty& property);
std::vector<int> ParseInts(const LayoutProperty& property, std::size_t count);
bool ParseBool(const LayoutProperty& property);
std::string ParseText(const LayoutProperty& property);
Color ParseColor(const LayoutProperty& property);
Font ParseFont(const LayoutProperty& property);

// The properties of one component while it is built: kinds take the keys
// they know, the loader takes the common ones, and what is left is an error.
class PropertyReader {
  public:
    explicit PropertyReader(const LayoutComponent& component) : component_(component) {}
    // A key as a view, so that callers naming a key in a literal build no
    // string for it.
    const LayoutProperty* Take(std::string_view key);
    const LayoutComponent& component() const { return component_; }
    void RequireAllTaken() const;

  private:
    const LayoutComponent& component_;
    std::vector<std::string> taken_;
};

// Event handlers by name, as a form offers them to its layout.
using HandlerTable = FlatMap<std::string, std::function<void()>>;

// Builds one component of a kind: reads its own properties (and event names,
// resolved through the handler table) and returns the control. A plain
// function, since no kind keeps state: a std::function would add a call
// wrapper and a manager per kind to the exe.
using ComponentFactory = std::unique_ptr<Control> (*)(PropertyReader& properties,
                                                      const HandlerTable& handlers);
using ComponentKinds = FlatMap<std::string, ComponentFactory>;

// Looks a handler up by name; raises LayoutError when the form has none.
std::function<void()> ResolveHandler(const LayoutProperty& property, const HandlerTable& handlers);

// The component of that name and kind; a layout without it is broken, which
// raises LayoutError.
[[noreturn]] void FailNoComponent(const Form& form, std::string_view name);

template <typename T>
T* Component(Form& form, std::string_view name) {
    Control* component = form.Find(name);
    if (component == nullptr || !component->Is<T>()) {
        FailNoComponent(form, name);
    }
    return static_cast<T*>(component);
}

// Applies the first component's properties to the form, builds every other
// component in layout order under its parent, then runs the form's creation
// handler (OnCreate) when the layout names one. A form's show handler is
// named by OnShow.
void ApplyLayout(Form& form, const Layout& layout, const ComponentKinds& kinds,
                 const HandlerTable& handlers);

}  // namespace ui
