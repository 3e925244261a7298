#pragma once
#include <functional>
#include <memory>
#include <vector>

#include "ui/check_box.h"

namespace ui {

class OptionButton;

// Option buttons of which at most one is selected.
struct OptionGroup {
    std::vector<OptionButton*> members;  // not owned
};

struct OptionButtonArgs {
    std::string text = {};
    Bounds bounds = {};
    bool enabled = true;
    bool visible = true;
    Font font = {};
    // Begins a new group; otherwise the button joins the group of the option buttons made
    // before it in the same container.
    bool groupStart = false;
};

// Selecting one option button clears the others of its group. onClick fires once when the
// button becomes selected, whether the user chose it or the program set it; clearing a
// button raises nothing.
class OptionButton : public Control {
  public:
    OptionButton() = default;
    ~OptionButton() override;
    void Create(Container& parent, const OptionButtonArgs& args);
    bool Value() const { return value_; }
    void SetValue(bool on);
    bool StartsGroup() const { return startsGroup_; }
    const OptionGroup* Group() const { return group_.get(); }

    std::function<void()> onClick;

    // For peers and tests: the user chose this button.
    void UserClicked();

  private:
    void Clear();
    CheckPeer* checkPeer() const { return static_cast<CheckPeer*>(peer_.get()); }

    bool value_ = false;
    bool startsGroup_ = false;
    std::shared_ptr<OptionGroup> group_;
};

}  // namespace ui
