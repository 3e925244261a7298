#include "ui/timer.h"

#include "ui/backend.h"

namespace ui {

Timer::~Timer() = default;

void Timer::Create(Container& parent, const TimerArgs& args) {
    interval_ = args.interval;
    enabled_ = args.enabled;
    peer_ = parent.GetBackend().CreateTimer(*this, parent);
    if (peer_ && enabled_ && interval_ > 0) peer_->Start(interval_);
}

void Timer::SetEnabled(bool on) {
    enabled_ = on;
    if (!peer_) return;
    if (on && interval_ > 0) {
        peer_->Start(interval_);
    } else {
        peer_->Stop();
    }
}

}  // namespace ui
