#pragma once
#include <memory>
#include <vector>

#include "ui/control_args.h"

namespace ui {

class PageControl;

// One page of a page control: a container as large as the control, shown only while it
// is the current page. Its controls keep their own Visible.
class Page : public Container {
  public:
    Backend& GetBackend() const override { return *backend_; }

  private:
    friend class PageControl;
    void Create(PageControl& owner, const std::string& caption, bool current);
    Backend* backend_ = nullptr;  // not owned
};

// Pages of controls of which one shows at a time; the program turns the pages. No tabs are
// drawn: the windows that use it have buttons of their own to move between pages.
class PageControl : public Container {
  public:
    void Create(Container& parent, const ControlArgs& args);
    Backend& GetBackend() const override { return *backend_; }
    // The first page added is the current one.
    Page& AddPage(const std::string& caption);
    int PageCount() const { return static_cast<int>(pages_.size()); }
    Page& GetPage(int index) { return *pages_.at(index); }
    int CurrentPage() const { return current_; }
    // False, changing nothing, for an index that names no page.
    bool SetCurrentPage(int index);

  private:
    Backend* backend_ = nullptr;  // not owned
    std::vector<std::unique_ptr<Page>> pages_;
    int current_ = 0;
};

}  // namespace ui
