#include "store/history.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "store/list_change.h"

namespace quopa {

UndoHistory::UndoHistory(modINI& ini, std::string file) : ini_(ini), file_(std::move(file)) {}

// FNV-1a over 8 bytes at a time: a 2 MB list in about a millisecond.
UndoHistory::Print UndoHistory::PrintOf(const std::string& bytes) {
    std::uint64_t hash = 14695981039346656037ull;
    std::size_t i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes.data() + i, 8);
        hash = (hash ^ word) * 1099511628211ull;
    }
    for (; i < bytes.size(); ++i)
        hash = (hash ^ static_cast<unsigned char>(bytes[i])) * 1099511628211ull;
    return {bytes.size(), hash};
}

void UndoHistory::Recorded(const std::string& file, const std::string& before,
                           const std::string& after) {
    if (replaying_ || file != file_) return;
    Step step;
    const std::size_t shorter = std::min(before.size(), after.size());
    while (step.head < shorter && before[step.head] == after[step.head]) ++step.head;
    while (step.tail < shorter - step.head &&
           before[before.size() - 1 - step.tail] == after[after.size() - 1 - step.tail])
        ++step.tail;
    step.was = before.substr(step.head, before.size() - step.head - step.tail);
    step.is = after.substr(step.head, after.size() - step.head - step.tail);
    step.before = PrintOf(before);
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
    if (from.empty()) return Outcome::Nothing;
    const Step& step = from.back();
    std::string now;
    if (!ini_.ReadWhole(file_, now)) return Outcome::NotWritten;
    if (!(PrintOf(now) == (back ? step.after : step.before))) return Outcome::ChangedElsewhere;
    std::string wanted =
        now.substr(0, step.head) + (back ? step.was : step.is) + now.substr(now.size() - step.tail);
    replaying_ = true;
    const bool written = ini_.WriteWhole(wanted, file_);
    replaying_ = false;
    if (!written) return Outcome::NotWritten;
    to.push_back(std::move(from.back()));
    from.pop_back();
    return Outcome::Done;
}

}  // namespace quopa
