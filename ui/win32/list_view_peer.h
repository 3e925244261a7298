#pragma once
#include "ui/list_view.h"
#include "ui/win32/child_window.h"

namespace ui::win32 {

// A list view in report mode without headers: the picture and text, then the detail. It
// shares the image list it is given and never destroys it.
class Win32ListViewPeer : public ChildPeer<ListViewPeer> {
  public:
    Win32ListViewPeer(Win32Backend& backend, ListView& list, Container& parent,
                      const ControlArgs& args);
    void SetBounds(const Bounds& b) override;
    void SetImageList(const ImageList* list) override;
    void SetRows(const std::vector<ListRow>& rows, const std::vector<int>& images) override;
    void Select(int index) override;

  private:
    bool OnReflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    void FitColumns();
    LRESULT Drawn(NMLVCUSTOMDRAW& draw) const;

    ListView& list_;
    const ImageList* images_ = nullptr;
};

}  // namespace ui::win32
