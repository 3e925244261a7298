#include "ui/progress_bar.h"

#include <algorithm>

#include "ui/backend.h"

namespace ui {

void ProgressBar::Create(Container& parent, const ControlArgs& args) {
    Init(args.text, args.bounds, args.enabled, args.visible);
    peer_ = parent.GetBackend().CreateProgressBar(*this, parent, args);
    if (peer_) {
        progressPeer()->SetRange(min_, max_);
        progressPeer()->SetValue(value_);
    }
}

// A value outside the range is pulled into it rather than refused: a drive whose rounded
// size is 0 must still show a bar, not stop the start-up.
void ProgressBar::SetRange(int min, int max) {
    min_ = min;
    max_ = max;
    value_ = std::clamp(value_, min_, std::max(min_, max_));
    if (peer_) {
        progressPeer()->SetRange(min_, max_);
        progressPeer()->SetValue(value_);
    }
}

void ProgressBar::SetValue(int value) {
    value_ = std::clamp(value, min_, std::max(min_, max_));
    if (peer_) progressPeer()->SetValue(value_);
}

}  // namespace ui
