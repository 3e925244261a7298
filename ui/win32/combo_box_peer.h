#pragma once
#include "ui/combo_box.h"
#include "ui/win32/child_window.h"

namespace ui::win32 {

// A drop-down list (CBS_DROPDOWNLIST). Its window's height is that of the opened list;
// the system sizes the closed box to its font.
class Win32ComboBoxPeer : public ChildPeer<ComboBoxPeer> {
  public:
    Win32ComboBoxPeer(Win32Backend& backend, ComboBox& box, Container& parent,
                      const ControlArgs& args);
    void SetText(const std::string&) override {}  // the text is the picked entry's
    void SetBounds(const Bounds& b) override;
    void AddItem(const std::string& text) override;
    void Clear() override;
    void Select(int index) override;

  private:
    bool OnReflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    static Bounds Opened(const Bounds& closed);

    ComboBox& box_;
};

}  // namespace ui::win32
