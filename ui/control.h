#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/accessibility.h"
#include "ui/canvas.h"
#include "ui/types.h"

namespace ui {

class Container;
class Form;
class WindowHost;

// Where a control places itself in its parent's client area. Aligned
// children take their edge in layout order: top ones first, then bottom,
// left and right; a client-aligned child fills what is left. None keeps the
// bounds it was given.
enum class Align { None, Top, Bottom, Left, Right, Client };

// A control: a rectangle in its parent's client area that paints on a canvas
// and may react to the mouse. Windowless by default: its nearest windowed
// ancestor paints it and routes mouse events to it. Windowed controls (forms,
// panels, edit boxes) own an OS window through a WindowHost.
class Control {
  public:
    explicit Control(std::string name = {});
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& name() const { return name_; }
    Container* parent() const { return parent_; }

    // Position and size in the parent's client coordinates.
    const Rect& bounds() const { return bounds_; }
    int left() const { return bounds_.left; }
    int top() const { return bounds_.top; }
    int width() const { return bounds_.width(); }
    int height() const { return bounds_.height(); }
    void SetBounds(const Rect& bounds);
    void SetLeft(int left);
    void SetTop(int top);
    void SetSize(int width, int height);

    bool visible() const { return visible_; }
    void SetVisible(bool visible);
    virtual void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible itself and through every ancestor.
    bool Showing() const;
    bool enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    Align align() const { return align_; }
    void SetAlign(Align align);

    // The control's own font, or the parent's while it has none of its own;
    // FontChanged runs whenever the font in effect may have changed (its own
    // was set, or it inherits and was added to a parent or an ancestor's
    // font was set).
    const Font& font() const;
    void SetFont(const Font& font);
    bool hasOwnFont() const { return ownFont_.has_value(); }

    // Asks for a repaint when the window system next paints.
    void Invalidate();
    // Paints at once, without waiting for the window system.
    void Repaint();
    // How often a repaint was asked for; tests read it.
    int repaintRequests() const { return repaintRequests_; }

    // Paints the control's own content; the canvas origin is the control's
    // top-left corner and the clip its rectangle.
    virtual void Paint(Canvas& canvas);

    // Mouse events, in the control's own coordinates.
    virtual void MouseEnter() {}
    virtual void MouseLeave() {}
    virtual void MouseDown(MouseButton button, Point at);
    virtual void MouseMove(Point at);
    virtual void MouseUp(MouseButton button, Point at);
    // False for controls the mouse passes through (labels, backgrounds).
    virtual bool HitTestable() const { return true; }

    // Windowed controls own a host once their window exists.
    virtual bool IsWindowed() const { return false; }

    // What a control is, where a Control is all one holds. The Windows builds
    // leave out run-time type information (cmake/windows.cmake), so the
    // toolkit asks these rather than dynamic_cast.
    virtual Container* AsContainer() { return nullptr; }
    virtual Form* AsForm() { return nullptr; }
    // Whether this is a T or derives from one, for the classes whose
    // components a window looks up by name (ui::Component); each of them
    // answers for itself in IsKind.
    template <typename T>
    bool Is() const {
        return IsKind(KindTag<T>());
    }
    // Makes the OS windows of this control and its descendants where they
    // are windowed and have none yet (parents first).
    void CreateHandles();
    // The same for the controls that show now: a hidden control's window,
    // and those of its descendants, wait for CreateHandles.
    void CreateShownHandles();
    WindowHost* host() const { return host_.get(); }
    // The nearest windowed ancestor-or-self, and this control's offset in it.
    Control* WindowedAncestor();
    Point OffsetInWindow() const;

    // Where the mouse pointer is, in this control's coordinates (nothing when
    // no window shows it).
    std::optional<Point> CursorPosition() const;
    // Keeps the mouse for this control until released.
    void SetMouseCapture(bool capture);

    // The mouse pointer while the mouse is over this control (CursorAt).
    Cursor cursor() const { return cursor_; }
    void SetCursor(Cursor cursor) { cursor_ = cursor; }

    // The bounds and own font as the layout designed them at 96 dpi, kept
    // for laying the control out again at another (Form::SetDpi).
    void RecordDesign();
    // Takes the designed bounds and font at the dpi; nothing for a control
    // without a recorded design.
    void ApplyDpi(int dpi);
    // The designed bounds at the dpi (the bounds as they are, without a design).
    Rect BoundsAtDpi(int dpi) const;

    // The text the control shows (a caption, an edit box's contents), for
    // descriptions of a window; empty for controls without text.
    virtual std::string ShownText() const { return {}; }

    // Controls that take the keyboard focus (edit boxes, buttons) say so
    // while they can; a windowed one takes the window system's focus itself,
    // a windowless one leaves it with its window (Form::SetActiveControl).
    virtual bool TakesFocus() const { return false; }
    virtual void TakeFocus() {}

    // What a screen reader is told (ui/accessibility.h): by default no role
    // (the control is left out, its children listed in its place), the
    // shown text as the name, no value and no default action.
    virtual AccessibleRole accessibleRole() const { return AccessibleRole::None; }
    virtual std::string AccessibleName() const { return ShownText(); }
    virtual std::string AccessibleValue() const { return {}; }
    virtual std::string DefaultActionName() const { return {}; }
    // Does the default action; false when there is none or it cannot be done now.
    virtual bool DoDefaultAction() { return false; }

    // Click handler, for controls that raise one.
    std::function<void()> onClick;

  protected:
    // One distinct address per class.
    template <typename T>
    static const void* KindTag() {
        static const char tag = 0;
        return &tag;
    }
    virtual bool IsKind(const void*) const { return false; }

    virtual void BoundsChanged() {}
    virtual void VisibilityChanged() {}
    virtual void EnabledChanged() {}
    virtual void FontChanged() {}
    // Makes this control's own OS window, where it is windowed and has none.
    virtual void CreateOwnHandle() {}
    void SetHost(std::unique_ptr<WindowHost> host);

  private:
    // Parents first; with shownOnly a hidden control and its descendants wait.
    void CreateHandlesOf(bool shownOnly);
    friend class Container;
    void FontInEffectChanged();

    std::string name_;
    Container* parent_ = nullptr;
    Rect bounds_;
    bool visible_ = true;
    bool enabled_ = true;
    Align align_ = Align::None;
    Cursor cursor_ = Cursor::Default;
    std::optional<Font> ownFont_;
    struct Design {
        Rect bounds;
        std::optional<Font> font;
    };
    std::optional<Design> design_;
    int repaintRequests_ = 0;
    std::unique_ptr<WindowHost> host_;
};

// A control that holds child controls; children paint over it in the order
// they were added.
class Container : public Control {
  public:
    Container* AsContainer() override { return this; }
    using Control::Control;
    ~Container() override;

    // Adds a child and returns it; the container owns it.
    template <typename T>
    T& Add(std::unique_ptr<T> child) {
        T& ref = *child;
        AddChild(std::move(child));
        return ref;
    }
    void AddChild(std::unique_ptr<Control> child);
    const std::vector<std::unique_ptr<Control>>& children() const { return children_; }

    // The descendant of that name (depth first), or nothing.
    Control* Find(std::string_view name);

    // Places the aligned children (see Align); runs by itself when children
    // come, go, change their alignment or size, or this container resizes.
    void AlignChildren();

    // Client area colour; none leaves the background to the control's Paint.
    Color color() const { return color_; }
    void SetColor(Color color);

    void Paint(Canvas& canvas) override;

    // The deepest visible, enabled, hit-testable windowless descendant under
    // the point (in this container's coordinates); the container itself when
    // no child is hit. Windowed children are skipped: their own window gets
    // their mouse events.
    Control* HitTest(Point at);

  protected:
    // Runs for each child as it is added, before aligned children are placed.
    virtual void ChildAdded(Control&) {}

  private:
    std::vector<std::unique_ptr<Control>> children_;
    Color color_ = Color::None();
    bool aligning_ = false;
};

// A windowed container below a form: a child window of its own that paints
// itself and its windowless children.
class Panel : public Container {
  public:
    using Container::Container;
    bool IsWindowed() const override { return true; }

  protected:
    void CreateOwnHandle() override;
};

// The container's children in reading order: by top, then left, keeping
// the order they were added in where both are equal.
std::vector<Control*> ChildrenInReadingOrder(const Container& container);

// The pointer over a point of a window (in its client coordinates): that of
// the control under it, else of its nearest ancestor up to the window that
// asks for one; Arrow when none does.
Cursor CursorAt(Container& window, Point at);

// Paints a windowed control and its windowless descendants (or, with
// includeWindowed, every descendant: the headless backend renders a whole
// form into one buffer). The canvas origin is the control's top-left.
void PaintTree(Control& root, Canvas& canvas, bool includeWindowed);

}  // namespace ui
