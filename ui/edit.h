#pragma once

#include <memory>
#include <string>

#include "ui/control.h"
#include "ui/layout.h"

namespace ui {

class EditHost;

// A one-line edit box: a window of its own (the system's edit control on
// Windows), the only kind of control that takes the keyboard focus. In
// lower-case mode a text the program sets has its ASCII letters lowered, and
// what is typed or pasted is lowered by the window (the system's control by
// its own rules), so what is read back is lower case too.
class Edit : public Control {
  protected:
    bool IsKind(const void* tag) const override {
        return tag == KindTag<Edit>() || Control::IsKind(tag);
    }

  public:
    explicit Edit(std::string name = {});
    ~Edit() override;

    // The text as the box holds it (from its window once that exists).
    std::string text() const;
    void SetText(const std::string& text);
    bool lowerCase() const { return lowerCase_; }
    void SetLowerCase(bool lowerCase);
    // The box's background; the text takes the font's colour.
    Color color() const { return color_; }
    void SetColor(Color color);

    bool IsWindowed() const override { return true; }
    bool TakesFocus() const override { return Showing() && enabled(); }
    void TakeFocus() override;
    std::string ShownText() const override { return text(); }
    AccessibleRole accessibleRole() const override { return AccessibleRole::Text; }
    // What the headless backend shows: the background and the text.
    void Paint(Canvas& canvas) override;

  protected:
    void FontChanged() override;
    void CreateOwnHandle() override;

  private:
    EditHost* editHost() const;

    std::string text_;
    bool lowerCase_ = false;
    Color color_ = Color::System(SystemColor::Window);
};

// Adds the kind "Edit". Keys besides the common ones: text, color, and
// charCase (normal | lower).
void AddEditKind(ComponentKinds& kinds);

}  // namespace ui
