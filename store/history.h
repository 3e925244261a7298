#pragma once
// The apps file's last changes, kept while the program runs so that each can be taken back
// and made again. A step keeps only the bytes that differ between its two states, so even
// a 2 MB list keeps many steps in little memory.
#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "store/byte_prints.h"
#include "store/ini.h"

namespace quopa {

class UndoHistory {
  public:
    static constexpr std::size_t kSteps = 30;
    static constexpr std::size_t kMaxBytes = 64u << 20;  // oldest steps go first beyond it

    // `file` as the commands name it; the engine's replacements of it are the steps.
    UndoHistory(modINI& ini, std::string file);

    // A change the engine made to `file`: what was undone cannot be redone any more.
    void Recorded(const std::string& file, const std::string& before, const std::string& after);

    // What the next Undo takes back (Redo makes again), e.g. "Delete "Chess""; empty when none.
    std::string NextUndo() const { return undo_.empty() ? "" : undo_.back().name; }
    std::string NextRedo() const { return redo_.empty() ? "" : redo_.back().name; }

    enum class Outcome { Done, Nothing, ChangedElsewhere, NotWritten };
    // One write of the whole state before (after) the step; refused when the file is not
    // what Quopa left it as, since another program's change would be lost.
    Outcome Undo() { return Replay(undo_, redo_, true); }
    Outcome Redo() { return Replay(redo_, undo_, false); }
    // The items the last Undo or Redo done changed, when it changed nothing but items.
    const std::optional<std::vector<int>>& ItemsReplayed() const { return itemsReplayed_; }

  private:
    struct Step {
        std::string name;
        std::size_t head = 0, tail = 0;  // bytes both states share at the start and end
        std::string was, is;             // and what lies between, before and after
        // The state before is printed once an undo has written it: only a redo checks it.
        BytePrint before, after;
    };
    Outcome Replay(std::deque<Step>& from, std::deque<Step>& to, bool back);

    modINI& ini_;  // not owned
    std::string file_;
    std::deque<Step> undo_, redo_;
    std::size_t bytes_ = 0;  // held by the steps of both
    bool replaying_ = false;
    std::optional<std::vector<int>> itemsReplayed_;
};

}  // namespace quopa
