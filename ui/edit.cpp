#include "ui/edit.h"

#include "ui/backend.h"
#include "util/path_helpers.h"

namespace ui {

namespace {
// Room between the box's edge and its text in the headless picture.
constexpr int kTextInset = 3;
}  // namespace

Edit::Edit(std::string name) : Control(std::move(name)) {}

Edit::~Edit() = default;

EditHost* Edit::editHost() const {
    return static_cast<EditHost*>(host());
}

std::string Edit::text() const {
    return editHost() != nullptr ? editHost()->Text() : text_;
}

void Edit::SetText(const std::string& text) {
    // The program's own lowering touches the ASCII letters only, so the
    // letters of any other script stay as given, every UTF-8 sequence whole.
    // What the user types is lowered by the window.
    text_ = lowerCase_ ? LowerAscii(text) : text;
    if (editHost() != nullptr) {
        editHost()->SetText(text_);
    }
    Invalidate();
}

void Edit::SetLowerCase(bool lowerCase) {
    if (lowerCase == lowerCase_) {
        return;
    }
    lowerCase_ = lowerCase;
    if (editHost() != nullptr) {
        editHost()->SyncStyle();
    }
    SetText(text());
}

void Edit::SetColor(Color color) {
    if (color == color_) {
        return;
    }
    color_ = color;
    if (editHost() != nullptr) {
        editHost()->SyncStyle();
    }
    Invalidate();
}

void Edit::CreateOwnHandle() {
    if (host() == nullptr) {
        SetHost(backend::CreateEditHost(*this));
    }
}

void Edit::TakeFocus() {
    if (editHost() != nullptr) {
        editHost()->TakeFocus();
    }
}

void Edit::FontChanged() {
    if (editHost() != nullptr) {
        editHost()->SyncStyle();
    }
}

void Edit::Paint(Canvas& canvas) {
    canvas.SetBrush(color_);
    canvas.FillRect(Rect::FromSize(0, 0, width(), height()));
    canvas.SetFont(font());
    canvas.SetTextBackground(Color::None());
    canvas.TextOut(kTextInset, kTextInset, text());
}

void AddEditKind(ComponentKinds& kinds) {
    kinds["Edit"] = [](PropertyReader& properties, const HandlerTable&) {
        auto edit = std::make_unique<Edit>(properties.component().name);
        if (const auto* p = properties.Take("charCase")) {
            if (p->value != "normal" && p->value != "lower") {
                throw LayoutError("layout line " + std::to_string(p->line) +
                                  ": charCase: expected normal or lower");
            }
            edit->SetLowerCase(p->value == "lower");
        }
        if (const auto* p = properties.Take("text")) {
            edit->SetText(ParseText(*p));
        }
        if (const auto* p = properties.Take("color")) {
            edit->SetColor(ParseColor(*p));
        }
        return std::unique_ptr<Control>(std::move(edit));
    };
}

}  // namespace ui
