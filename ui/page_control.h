#pragma once

#include <string>

#include "ui/control.h"
#include "ui/layout.h"

namespace ui {

// One page of a PageControl: a windowed container (a child window of its
// own, so that hiding the page hides the windows on it too).
class TabSheet : public Panel {
  public:
    using Panel::Panel;
    AccessibleRole accessibleRole() const override { return AccessibleRole::Grouping; }
};

// Pages on top of each other, of which only the active one shows. The pages
// have no visible tabs: the user cannot switch them, only the program can.
// Every child is a page and fills the control.
class PageControl : public Container {
  protected:
    bool IsKind(const void* tag) const override {
        return tag == KindTag<PageControl>() || Container::IsKind(tag);
    }

  public:
    using Container::Container;

    int activePageIndex() const { return activePageIndex_; }
    // Shows the page of that index and hides the others; an index without a
    // page hides them all. The keyboard focus leaves a page that is hidden.
    void SetActivePageIndex(int index);
    Control* ActivePage() const;

    bool HitTestable() const override { return false; }

  protected:
    void ChildAdded(Control& page) override;
    void BoundsChanged() override;

  private:
    int activePageIndex_ = 0;
};

// Adds the kinds "PageControl" (key: activePageIndex) and "TabSheet".
void AddPageControlKinds(ComponentKinds& kinds);

}  // namespace ui
