#include "ui/describe.h"

#include "ui/form.h"

namespace ui {

namespace {

std::string Escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '\t':
                out += "\\t";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\\':
                out += "\\\\";
                break;
            default:
                out += c;
        }
    }
    return out;
}

void Describe(Control& control, Point origin, std::string& out) {
    const Font& font = control.font();
    out += control.name() + '\t' + std::to_string(origin.x) + '\t' + std::to_string(origin.y) +
           '\t' + std::to_string(control.width()) + '\t' + std::to_string(control.height()) + '\t' +
           (control.Showing() ? "1" : "0") + '\t' + Escaped(control.ShownText()) + '\t' +
           font.face + '\t' + std::to_string(font.height) + '\t' +
           (font.bold ? "bold" : "regular") + '\n';
    if (auto* container = control.AsContainer()) {
        for (const auto& child : container->children()) {
            Describe(*child, {origin.x + child->left(), origin.y + child->top()}, out);
        }
    }
}

}  // namespace

std::string DescribeControls(Form& form) {
    std::string out;
    Describe(form, {0, 0}, out);
    return out;
}

}  // namespace ui
