#include "ui/layout.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace ui {

namespace {

[[noreturn]] void Fail(int line, const std::string& what) {
    throw LayoutError("layout line " + std::to_string(line) + ": " + what);
}

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

// Splits a value into words; "quoted text" is one word (quotes kept).
std::vector<std::string> Words(const LayoutProperty& property) {
    std::vector<std::string> words;
    const std::string& v = property.value;
    std::size_t i = 0;
    while (i < v.size()) {
        if (std::isspace(static_cast<unsigned char>(v[i]))) {
            ++i;
            continue;
        }
        std::size_t end = i;
        if (v[i] == '"') {
            end = v.find('"', i + 1);
            if (end == std::string::npos) {
                Fail(property.line, "unterminated text");
            }
            ++end;
        } else if (v.compare(i, 4, "rgb(") == 0) {
            end = v.find(')', i);
            if (end == std::string::npos) {
                Fail(property.line, "unterminated rgb(...)");
            }
            ++end;
        } else {
            while (end < v.size() && !std::isspace(static_cast<unsigned char>(v[end]))) {
                ++end;
            }
        }
        words.push_back(v.substr(i, end - i));
        i = end;
    }
    return words;
}

// A whole word read as the C library reads a decimal number (white space and
// a '+' may lead), with nothing left over.
int WordToInt(const std::string& word, int line) {
    const char* first = word.data();
    const char* const last = first + word.size();
    while (first != last && std::isspace(static_cast<unsigned char>(*first))) {
        ++first;
    }
    if (last - first > 1 && first[0] == '+' && first[1] != '-') {
        ++first;
    }
    int value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last) {
        Fail(line, "not a number: " + word);
    }
    return value;
}

Color WordToColor(const std::string& word, int line) {
    static constexpr NamedValue<Color> kNamed[] = {
        {"clBlack", colors::kBlack},
        {"clMaroon", colors::kMaroon},
        {"clRed", colors::kRed},
        {"clYellow", colors::kYellow},
        {"clWhite", colors::kWhite},
        {"clSilver", colors::kSilver},
        {"clGray", colors::kGray},
        {"clNone", Color::None()},
        {"clBtnFace", Color::System(SystemColor::BtnFace)},
        {"clBtnShadow", Color::System(SystemColor::BtnShadow)},
        {"clBtnHighlight", Color::System(SystemColor::BtnHighlight)},
        {"clWindow", Color::System(SystemColor::Window)},
        {"clWindowText", Color::System(SystemColor::WindowText)},
    };
    if (const Color* named = FindNamed(word, kNamed)) {
        return *named;
    }
    if (word.rfind("rgb(", 0) == 0) {
        std::vector<int> parts;
        std::string part;
        for (char c : word.substr(4, word.size() - 5) + ",") {
            if (c == ',') {
                parts.push_back(WordToInt(Trim(part), line));
                part.clear();
            } else {
                part += c;
            }
        }
        if (parts.size() != 3 ||
            std::any_of(parts.begin(), parts.end(), [](int v) { return v < 0 || v > 255; })) {
            Fail(line, "bad colour: " + word);
        }
        return Color::Rgb(static_cast<std::uint8_t>(parts[0]), static_cast<std::uint8_t>(parts[1]),
                          static_cast<std::uint8_t>(parts[2]));
    }
    const int packed = WordToInt(word, line);
    if (packed < 0 || packed > 0xFFFFFF) {
        Fail(line, "bad colour: " + word);
    }
    return Color::FromPacked(static_cast<std::uint32_t>(packed));
}

}  // namespace

Layout ParseLayout(const std::string& text) {
    Layout layout;
    int line = 0;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        const std::string raw = text.substr(start, end - start);
        start = end + 1;
        ++line;
        const std::string content = Trim(raw);
        if (content.empty() || content[0] == '#') {
            continue;
        }
        if (content.front() == '[') {
            if (content.back() != ']' || content.size() < 3) {
                Fail(line, "bad section header");
            }
            LayoutComponent component;
            component.name = content.substr(1, content.size() - 2);
            component.line = line;
            for (const auto& existing : layout.components) {
                if (existing.name == component.name) {
                    Fail(line, "duplicate component " + component.name);
                }
            }
            layout.components.push_back(component);
            continue;
        }
        const auto equals = content.find('=');
        if (equals == std::string::npos || layout.components.empty()) {
            Fail(line, "expected key = value inside a section");
        }
        LayoutProperty property{Trim(content.substr(0, equals)), Trim(content.substr(equals + 1)),
                                line};
        LayoutComponent& component = layout.components.back();
        if (property.key == "kind") {
            component.kind = property.value;
        } else if (property.key == "parent") {
            component.parent = property.value;
        } else {
            component.properties.push_back(property);
        }
    }
    for (const auto& component : layout.components) {
        if (component.kind.empty()) {
            Fail(component.line, "component " + component.name + " has no kind");
        }
    }
    return layout;
}

int ParseInt(const LayoutProperty& property) {
    return ParseInts(property, 1)[0];
}

std::vector<int> ParseInts(const LayoutProperty& property, std::size_t count) {
    const auto words = Words(property);
    if (words.size() != count) {
        Fail(property.line, property.key + ": expected " + std::to_string(count) + " numbers");
    }
    std::vector<int> numbers;
    for (const auto& word : words) {
        numbers.push_back(WordToInt(word, property.line));
    }
    return numbers;
}

bool ParseBool(const LayoutProperty& property) {
    if (property.value == "true") {
        return true;
    }
    if (property.value == "false") {
        return false;
    }
    Fail(property.line, property.key + ": expected true or false");
}

std::string ParseText(const LayoutProperty& property) {
    const std::string& v = property.value;
    if (v.size() < 2 || v.front() != '"' || v.back() != '"') {
        Fail(property.line, property.key + ": expected \"text\"");
    }
    return v.substr(1, v.size() - 2);
}

Color ParseColor(const LayoutProperty& property) {
    const auto words = Words(property);
    if (words.size() != 1) {
        Fail(property.line, property.key + ": expected one colour");
    }
    return WordToColor(words[0], property.line);
}

Font ParseFont(const LayoutProperty& property) {
    const auto words = Words(property);
    if (words.size() < 2 || words[0].size() < 2 || words[0].front() != '"') {
        Fail(property.line, "font: expected \"Face\" height [bold] [italic] [colour]");
    }
    Font font;
    font.face = words[0].substr(1, words[0].size() - 2);
    font.height = WordToInt(words[1], property.line);
    for (std::size_t i = 2; i < words.size(); ++i) {
        if (words[i] == "bold") {
            font.bold = true;
        } else if (words[i] == "italic") {
            font.italic = true;
        } else {
            font.color = WordToColor(words[i], property.line);
        }
    }
    return font;
}

void FailNoComponent(const Form& form, std::string_view name) {
    throw LayoutError(form.name() + ": no component " + std::string(name) +
                      " of the expected kind");
}

const LayoutProperty* PropertyReader::Take(std::string_view key) {
    for (const auto& property : component_.properties) {
        if (property.key == key) {
            taken_.emplace_back(key);
            return &property;
        }
    }
    return nullptr;
}

void PropertyReader::RequireAllTaken() const {
    for (const auto& property : component_.properties) {
        if (std::find(taken_.begin(), taken_.end(), property.key) == taken_.end()) {
            Fail(property.line, component_.name + ": unknown property " + property.key);
        }
    }
}

std::function<void()> ResolveHandler(const LayoutProperty& property, const HandlerTable& handlers) {
    const auto* found = handlers.Find(property.value);
    if (found == nullptr) {
        Fail(property.line, "no handler named " + property.value);
    }
    return *found;
}

namespace {

// The properties every control has.
void ApplyCommon(Control& control, PropertyReader& properties) {
    if (const auto* p = properties.Take("bounds")) {
        const auto v = ParseInts(*p, 4);
        control.SetBounds(Rect::FromSize(v[0], v[1], v[2], v[3]));
    }
    if (const auto* p = properties.Take("visible")) {
        control.SetVisible(ParseBool(*p));
    }
    if (const auto* p = properties.Take("enabled")) {
        control.SetEnabled(ParseBool(*p));
    }
    if (const auto* p = properties.Take("font")) {
        control.SetFont(ParseFont(*p));
    }
    if (const auto* p = properties.Take("align")) {
        static constexpr NamedValue<Align> kAligns[] = {
            {"none", Align::None}, {"top", Align::Top},     {"bottom", Align::Bottom},
            {"left", Align::Left}, {"right", Align::Right}, {"client", Align::Client},
        };
        const Align* align = FindNamed(p->value, kAligns);
        if (align == nullptr) {
            Fail(p->line, "align: expected none, top, bottom, left, right or client");
        }
        control.SetAlign(*align);
    }
    if (const auto* p = properties.Take("cursor")) {
        static constexpr NamedValue<Cursor> kCursors[] = {
            {"crDefault", Cursor::Default}, {"crArrow", Cursor::Arrow}, {"crDrag", Cursor::Drag}};
        const Cursor* cursor = FindNamed(p->value, kCursors);
        if (cursor == nullptr) {
            Fail(p->line, "cursor: expected crDefault, crArrow or crDrag");
        }
        control.SetCursor(*cursor);
    }
    if (auto* container = control.AsContainer()) {
        if (const auto* p = properties.Take("color")) {
            container->SetColor(ParseColor(*p));
        }
    }
}

// Applies the form's own properties; returns its creation handler, if any.
std::function<void()> ApplyForm(Form& form, PropertyReader& properties,
                                const HandlerTable& handlers) {
    std::function<void()> onCreate;
    if (const auto* p = properties.Take("OnCreate")) {
        onCreate = ResolveHandler(*p, handlers);
    }
    if (const auto* p = properties.Take("OnShow")) {
        form.onShow = ResolveHandler(*p, handlers);
    }
    if (const auto* p = properties.Take("caption")) {
        form.SetCaption(ParseText(*p));
    }
    if (const auto* p = properties.Take("client")) {
        const auto v = ParseInts(*p, 2);
        form.SetClientSize(v[0], v[1]);
    }
    if (const auto* p = properties.Take("border")) {
        if (p->value == "single") {
            form.SetBorderStyle(BorderStyle::Single);
        } else if (p->value == "sizeable") {
            form.SetBorderStyle(BorderStyle::Sizeable);
        } else {
            Fail(p->line, "border: expected single or sizeable");
        }
    }
    if (const auto* p = properties.Take("icons")) {
        BorderIcons icons{false, false, false};
        for (const auto& word : Words(*p)) {
            if (word == "system-menu") {
                icons.systemMenu = true;
            } else if (word == "minimize") {
                icons.minimize = true;
            } else if (word == "maximize") {
                icons.maximize = true;
            } else {
                Fail(p->line, "icons: unknown " + word);
            }
        }
        form.SetBorderIcons(icons);
    }
    if (const auto* p = properties.Take("position")) {
        if (p->value == "screen-center") {
            form.SetPosition(FormPosition::ScreenCenter);
        } else if (p->value == "designed") {
            form.SetPosition(FormPosition::Designed);
        } else {
            Fail(p->line, "position: expected screen-center or designed");
        }
    }
    return onCreate;
}

}  // namespace

void ApplyLayout(Form& form, const Layout& layout, const ComponentKinds& kinds,
                 const HandlerTable& handlers) {
    if (layout.components.empty() || layout.components[0].kind != "Form") {
        throw LayoutError("a layout starts with its Form");
    }
    PropertyReader formProperties(layout.components[0]);
    const std::function<void()> onCreate = ApplyForm(form, formProperties, handlers);
    ApplyCommon(form, formProperties);
    formProperties.RequireAllTaken();

    FlatMap<std::string, Container*> containers{{layout.components[0].name, &form}};
    for (std::size_t i = 1; i < layout.components.size(); ++i) {
        const LayoutComponent& component = layout.components[i];
        const ComponentFactory* kind = kinds.Find(component.kind);
        if (kind == nullptr) {
            Fail(component.line, "unknown kind " + component.kind);
        }
        // The parent is taken by value: adding this component below may move
        // the table's entries.
        Container* const* found = containers.Find(component.parent);
        if (found == nullptr) {
            Fail(component.line,
                 component.name + ": parent " + component.parent + " is not a container above it");
        }
        Container* const parent = *found;
        PropertyReader properties(component);
        std::unique_ptr<Control> control = (*kind)(properties, handlers);
        ApplyCommon(*control, properties);
        properties.RequireAllTaken();
        if (auto* container = control->AsContainer()) {
            containers[component.name] = container;
        }
        parent->AddChild(std::move(control));
    }
    // What the layout says is the design; what code places later is not.
    form.RecordDesign();
    // The creation handler runs once every component exists.
    if (onCreate) {
        onCreate();
    }
}

}  // namespace ui
