#pragma once
#include <functional>
#include <string>
#include <vector>

#include "ui/control_args.h"

namespace ui {

class ComboBoxPeer : public ControlPeer {
  public:
    virtual void AddItem(const std::string& text) = 0;
    virtual void Clear() = 0;
    virtual void Select(int index) = 0;  // -1: none
};

// A drop-down list: the user can only pick one of its entries. Text is the picked entry's
// text, or empty while none is picked. onClick fires once for every change of ListIndex,
// whether the user picked an entry or the program set it.
class ComboBox : public Control {
  public:
    void Create(Container& parent, const ControlArgs& args);
    void AddItem(const std::string& text);
    // Empties the list; no entry is picked afterwards, which raises nothing.
    void Clear();
    int ListCount() const { return static_cast<int>(items_.size()); }
    std::string List(int index) const;  // empty outside the list
    int ListIndex() const { return index_; }
    // False, changing nothing, for an index outside -1 .. ListCount() - 1.
    bool SetListIndex(int index);
    // Picks the first entry with exactly this text; any other text changes nothing.
    void SetText(const std::string& text) override;

    std::function<void()> onClick;

    // For peers and tests: the user picked an entry.
    void UserPicked(int index);

  private:
    ComboBoxPeer* comboPeer() const { return static_cast<ComboBoxPeer*>(peer_.get()); }

    std::vector<std::string> items_;
    int index_ = -1;
};

}  // namespace ui
