#include "store/history.h"

#include <algorithm>
#include <utility>

#include "store/list_change.h"

namespace quopa {

UndoHistory::UndoHistory(modINI& ini, std::string file) : ini_(ini), file_(std::move(file)) {}

void UndoHistory::Recorded(const std::string& file, const std::string& before,
                           const std::string& after) {
    if (replaying_ || file != file_) return;
    Step step;
    const SharedEnds ends = SharedEndsOf(before, after);
    step.head = ends.head;
    step.tail = ends.tail;
    step.was = before.substr(step.head, before.size() - step.head - step.tail);
    step.is = after.substr(step.head, after.size() - step.head - step.tail);
    step.after = PrintOf(after);
    step.name = NameOfChange(before, after);
    for (const Step& s : redo_) bytes_ -= s.was.size() + s.is.size();
    redo_.clear();
    bytes_ += step.was.size() + step.is.size();
    undo_.push_back(std::move(step));
    while (undo_.size() > kSteps || (bytes_ > kMaxBytes && undo_.size() > 1)) {
        bytes_ -= undo_.front().was.size() + undo_.front().is.size();
        undo_.pop_front();
    }
}

UndoHistory::Outcome UndoHistory::Replay(std::deque<Step>& from, std::deque<Step>& to, bool back) {
    itemsReplayed_.reset();
    if (from.empty()) return Outcome::Nothing;
    Step& step = from.back();
    bool changedElsewhere = false;
    BytePrint print;
    replaying_ = true;
    const bool written = ini_.RewriteWhole(file_, [&](const std::string& now, std::string& wanted) {
        if (PrintOf(now) != (back ? step.after : step.before)) {
            changedElsewhere = true;
            return false;
        }
        const std::string& middle = back ? step.was : step.is;
        itemsReplayed_ = ItemsChanged(now, step.head, back ? step.is : step.was, middle);
        wanted.reserve(step.head + middle.size() + step.tail);
        wanted.append(now, 0, step.head).append(middle).append(now, now.size() - step.tail);
        print = PrintOf(wanted);
        return true;
    });
    replaying_ = false;
    if (changedElsewhere) return Outcome::ChangedElsewhere;
    if (!written) return Outcome::NotWritten;
    (back ? step.before : step.after) = print;
    to.push_back(std::move(from.back()));
    from.pop_back();
    return Outcome::Done;
}

}  // namespace quopa
