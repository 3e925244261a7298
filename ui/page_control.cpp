#include "ui/page_control.h"

#include "ui/backend.h"

namespace ui {

void Page::Create(PageControl& owner, const std::string& caption, bool current) {
    const Bounds& area = owner.GetBounds();
    const ControlArgs args{
        .text = caption, .bounds = {0, 0, area.width, area.height}, .visible = current};
    Init(args.text, args.bounds, args.enabled, args.visible);
    backend_ = &owner.GetBackend();
    topForm_ = owner.TopForm();
    peer_ = backend_->CreatePage(*this, owner, args);
}

void PageControl::Create(Container& parent, const ControlArgs& args) {
    Init(args.text, args.bounds, args.enabled, args.visible);
    backend_ = &parent.GetBackend();
    topForm_ = parent.TopForm();
    peer_ = backend_->CreatePageControl(*this, parent, args);
}

Page& PageControl::AddPage(const std::string& caption) {
    pages_.push_back(std::make_unique<Page>());
    pages_.back()->Create(*this, caption, PageCount() - 1 == current_);
    return *pages_.back();
}

bool PageControl::SetCurrentPage(int index) {
    if (index < 0 || index >= PageCount()) return false;
    current_ = index;
    // The new page shows before the old one hides, so the window never flashes empty.
    pages_[index]->SetVisible(true);
    for (int i = 0; i < PageCount(); ++i) {
        if (i != index) pages_[i]->SetVisible(false);
    }
    return true;
}

}  // namespace ui
