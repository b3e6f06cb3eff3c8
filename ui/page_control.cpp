#include "ui/page_control.h"

#include "ui/form.h"

namespace ui {

void PageControl::SetActivePageIndex(int index) {
    if (index == activePageIndex_) {
        return;
    }
    activePageIndex_ = index;
    // The new page shows first, so that the focus can move onto it.
    for (std::size_t i = 0; i < children().size(); ++i) {
        if (static_cast<int>(i) == index) {
            children()[i]->Show();
        }
    }
    for (std::size_t i = 0; i < children().size(); ++i) {
        if (static_cast<int>(i) != index) {
            children()[i]->Hide();
        }
    }
    if (Form* form = FormOf(*this)) {
        form->RefreshFocus();
    }
}

Control* PageControl::ActivePage() const {
    if (activePageIndex_ < 0 || activePageIndex_ >= static_cast<int>(children().size())) {
        return nullptr;
    }
    return children()[static_cast<std::size_t>(activePageIndex_)].get();
}

void PageControl::ChildAdded(Control& page) {
    page.SetVisible(static_cast<int>(children().size()) - 1 == activePageIndex_);
    page.SetBounds(Rect::FromSize(0, 0, width(), height()));
}

// Hidden pages are sized too (alignment passes over hidden controls), so a
// page has its size before it shows.
void PageControl::BoundsChanged() {
    for (const auto& page : children()) {
        page->SetBounds(Rect::FromSize(0, 0, width(), height()));
    }
}

void AddPageControlKinds(ComponentKinds& kinds) {
    kinds["PageControl"] = [](PropertyReader& properties, const HandlerTable&) {
        auto pages = std::make_unique<PageControl>(properties.component().name);
        if (const auto* p = properties.Take("activePageIndex")) {
            pages->SetActivePageIndex(ParseInt(*p));
        }
        return std::unique_ptr<Control>(std::move(pages));
    };
    kinds["TabSheet"] = [](PropertyReader& properties, const HandlerTable&) {
        return std::unique_ptr<Control>(std::make_unique<TabSheet>(properties.component().name));
    };
}

}  // namespace ui
