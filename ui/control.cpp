#include "ui/control.h"

#include "ui/backend.h"
#include "ui/dpi.h"
#include "ui/form.h"
#include "ui/window_host.h"

namespace ui {

Control::Control(std::string name) : name_(std::move(name)) {}

Control::~Control() = default;

void Control::SetBounds(const Rect& bounds) {
    if (bounds == bounds_) {
        return;
    }
    Invalidate();  // the old area
    const bool resized = bounds.width() != width() || bounds.height() != height();
    bounds_ = bounds;
    if (host_) {
        host_->SyncBounds();
    }
    if (resized) {
        if (auto* container = AsContainer()) {
            container->AlignChildren();
        }
    }
    BoundsChanged();
    // An aligned child that was moved or resized from outside is put back in
    // its place (keeping a new width or height where its edge allows); the
    // parent ignores this while it is placing children itself.
    if (align_ != Align::None && parent_ != nullptr) {
        parent_->AlignChildren();
    }
    Invalidate();  // the new one
}

void Control::SetLeft(int left) {
    SetBounds(bounds_.Offset(left - bounds_.left, 0));
}

void Control::SetTop(int top) {
    SetBounds(bounds_.Offset(0, top - bounds_.top));
}

void Control::SetSize(int width, int height) {
    SetBounds(Rect::FromSize(bounds_.left, bounds_.top, width, height));
}

void Control::SetVisible(bool visible) {
    if (visible == visible_) {
        return;
    }
    if (!visible) {
        Invalidate();
    }
    visible_ = visible;
    if (host_) {
        host_->SyncVisibility();
    }
    if (align_ != Align::None && parent_ != nullptr) {
        parent_->AlignChildren();
    }
    VisibilityChanged();
    if (visible) {
        Invalidate();
    }
    NotifyAccessible(*this, visible ? AccessibleEvent::Show : AccessibleEvent::Hide);
    if (!visible && AsForm() == nullptr) {
        if (Form* form = FormOf(*this)) {
            form->RefreshFocus();  // the focus may have been on or below this one
        }
    }
}

bool Control::Showing() const {
    for (const Control* c = this; c != nullptr; c = c->parent_) {
        if (!c->visible_) {
            return false;
        }
    }
    return true;
}

void Control::SetEnabled(bool enabled) {
    if (enabled == enabled_) {
        return;
    }
    enabled_ = enabled;
    EnabledChanged();
    Invalidate();
    if (!enabled) {
        if (Form* form = FormOf(*this)) {
            form->RefreshFocus();
        }
    }
}

void Control::SetAlign(Align align) {
    if (align == align_) {
        return;
    }
    align_ = align;
    if (parent_ != nullptr) {
        parent_->AlignChildren();
    }
}

const Font& Control::font() const {
    static const Font kDefault;
    if (ownFont_) {
        return *ownFont_;
    }
    return parent_ != nullptr ? parent_->font() : kDefault;
}

void Control::SetFont(const Font& font) {
    if (ownFont_ && *ownFont_ == font) {
        return;
    }
    ownFont_ = font;
    FontInEffectChanged();
}

void Control::FontInEffectChanged() {
    FontChanged();
    Invalidate();
    if (auto* container = AsContainer()) {
        for (const auto& child : container->children()) {
            if (!child->hasOwnFont()) {
                child->FontInEffectChanged();
            }
        }
    }
}

Control* Control::WindowedAncestor() {
    Control* c = this;
    while (c != nullptr && !c->IsWindowed()) {
        c = c->parent_;
    }
    return c;
}

Point Control::OffsetInWindow() const {
    Point offset;
    for (const Control* c = this; c != nullptr && !c->IsWindowed(); c = c->parent_) {
        offset.x += c->bounds_.left;
        offset.y += c->bounds_.top;
    }
    return offset;
}

void Control::Invalidate() {
    ++repaintRequests_;
    Control* window = WindowedAncestor();
    if (window == nullptr || window->host_ == nullptr) {
        return;
    }
    if (window == this) {
        window->host_->Invalidate(Rect::FromSize(0, 0, width(), height()));
        return;
    }
    const Point at = OffsetInWindow();
    window->host_->Invalidate(Rect::FromSize(at.x, at.y, width(), height()));
}

void Control::Repaint() {
    Invalidate();
    Control* window = WindowedAncestor();
    if (window != nullptr && window->host_ != nullptr) {
        window->host_->Update();
    }
}

void Control::Paint(Canvas&) {}

void Control::MouseDown(MouseButton, Point) {}
void Control::MouseMove(Point) {}
void Control::MouseUp(MouseButton, Point) {}

std::optional<Point> Control::CursorPosition() const {
    const Control* window = this;
    while (window != nullptr && !window->IsWindowed()) {
        window = window->parent_;
    }
    if (window == nullptr || window->host_ == nullptr) {
        return std::nullopt;
    }
    const auto cursor = window->host_->CursorPosition();
    if (!cursor) {
        return std::nullopt;
    }
    const Point offset = OffsetInWindow();
    return Point{cursor->x - offset.x, cursor->y - offset.y};
}

void Control::SetMouseCapture(bool capture) {
    Control* window = WindowedAncestor();
    if (window != nullptr && window->host_ != nullptr) {
        window->host_->SetCapture(capture);
    }
}

void Control::CreateHandles() {
    CreateHandlesOf(false);
}

void Control::CreateShownHandles() {
    CreateHandlesOf(true);
}

void Control::CreateHandlesOf(bool shownOnly) {
    if (shownOnly && !visible()) {
        return;
    }
    CreateOwnHandle();
    if (auto* container = AsContainer()) {
        for (const auto& child : container->children()) {
            child->CreateHandlesOf(shownOnly);
        }
    }
}

void Control::RecordDesign() {
    design_ = Design{bounds_, ownFont_};
    if (auto* container = AsContainer()) {
        for (const auto& child : container->children()) {
            child->RecordDesign();
        }
    }
}

void Control::ApplyDpi(int dpi) {
    if (design_) {
        if (design_->font) {
            SetFont(ScaleFont(*design_->font, dpi));
        }
        SetBounds(ScaleRect(design_->bounds, dpi));
    }
    if (auto* container = AsContainer()) {
        for (const auto& child : container->children()) {
            child->ApplyDpi(dpi);
        }
    }
}

Rect Control::BoundsAtDpi(int dpi) const {
    return design_ ? ScaleRect(design_->bounds, dpi) : bounds_;
}

void Control::SetHost(std::unique_ptr<WindowHost> host) {
    host_ = std::move(host);
}

Container::~Container() {
    // Children go first, while the parent they may refer to still exists.
    children_.clear();
}

void Container::AddChild(std::unique_ptr<Control> child) {
    child->parent_ = this;
    if (!child->hasOwnFont()) {
        child->FontInEffectChanged();  // from the default font to this one's
    }
    children_.push_back(std::move(child));
    ChildAdded(*children_.back());
    if (children_.back()->align() != Align::None) {
        AlignChildren();
    }
    children_.back()->Invalidate();
}

void Container::AlignChildren() {
    if (aligning_) {
        return;
    }
    aligning_ = true;
    Rect free = Rect::FromSize(0, 0, width(), height());
    const auto place = [&](Align which) {
        for (const auto& child : children_) {
            if (child->align() != which || !child->visible()) {
                continue;
            }
            const int w = child->width();
            const int h = child->height();
            switch (which) {
                case Align::Top:
                    child->SetBounds({free.left, free.top, free.right, free.top + h});
                    free.top += h;
                    break;
                case Align::Bottom:
                    child->SetBounds({free.left, free.bottom - h, free.right, free.bottom});
                    free.bottom -= h;
                    break;
                case Align::Left:
                    child->SetBounds({free.left, free.top, free.left + w, free.bottom});
                    free.left += w;
                    break;
                case Align::Right:
                    child->SetBounds({free.right - w, free.top, free.right, free.bottom});
                    free.right -= w;
                    break;
                case Align::Client:
                    child->SetBounds(free);
                    break;
                case Align::None:
                    break;
            }
        }
    };
    for (Align which : {Align::Top, Align::Bottom, Align::Left, Align::Right, Align::Client}) {
        place(which);
    }
    aligning_ = false;
}

Control* Container::Find(std::string_view name) {
    for (const auto& child : children_) {
        if (child->name() == name) {
            return child.get();
        }
        if (auto* container = child->AsContainer()) {
            if (Control* found = container->Find(name)) {
                return found;
            }
        }
    }
    return nullptr;
}

void Container::SetColor(Color color) {
    if (color == color_) {
        return;
    }
    color_ = color;
    Invalidate();
}

void Container::Paint(Canvas& canvas) {
    if (color_.isNone()) {
        return;
    }
    canvas.SetBrush(color_);
    canvas.FillRect(Rect::FromSize(0, 0, width(), height()));
}

void Panel::CreateOwnHandle() {
    if (host() == nullptr) {
        SetHost(backend::CreateChildHost(*this));
    }
}

Control* Container::HitTest(Point at) {
    for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
        Control& child = **it;
        if (!child.visible() || !child.enabled() || child.IsWindowed() ||
            !child.bounds().Contains(at)) {
            continue;
        }
        const Point inner{at.x - child.left(), at.y - child.top()};
        if (auto* container = child.AsContainer()) {
            Control* hit = container->HitTest(inner);
            if (hit != container || container->HitTestable()) {
                return hit;
            }
            continue;
        }
        if (child.HitTestable()) {
            return &child;
        }
    }
    return this;
}

std::vector<Control*> ChildrenInReadingOrder(const Container& container) {
    // A handful of children each: an insertion sort, stable as it goes.
    std::vector<Control*> order;
    for (const auto& child : container.children()) {
        auto at = order.end();
        while (at != order.begin() &&
               ((*(at - 1))->top() > child->top() ||
                ((*(at - 1))->top() == child->top() && (*(at - 1))->left() > child->left()))) {
            --at;
        }
        order.insert(at, child.get());
    }
    return order;
}

Cursor CursorAt(Container& window, Point at) {
    for (Control* c = window.HitTest(at); c != nullptr; c = c->parent()) {
        if (c->cursor() != Cursor::Default) {
            return c->cursor();
        }
        if (c == &window) {
            break;
        }
    }
    return Cursor::Arrow;
}

void PaintTree(Control& root, Canvas& canvas, bool includeWindowed) {
    root.Paint(canvas);
    auto* container = root.AsContainer();
    if (container == nullptr) {
        return;
    }
    for (const auto& child : container->children()) {
        if (!child->visible() || (child->IsWindowed() && !includeWindowed)) {
            continue;
        }
        CanvasState state(canvas);
        canvas.Translate(child->left(), child->top());
        canvas.ClipTo(Rect::FromSize(0, 0, child->width(), child->height()));
        PaintTree(*child, canvas, includeWindowed);
    }
}

}  // namespace ui
