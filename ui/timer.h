#pragma once
#include <functional>

#include "ui/control.h"

namespace ui {

class TimerPeer {
  public:
    virtual ~TimerPeer() = default;
    virtual void Start(int intervalMs) = 0;
    virtual void Stop() = 0;
};

struct TimerArgs {
    int interval = 0;  // milliseconds; 0 never ticks
    bool enabled = true;
};

class Timer {
  public:
    Timer() = default;
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;
    ~Timer();
    void Create(Container& parent, const TimerArgs& args);
    int Interval() const { return interval_; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool on);

    std::function<void()> onTimer;
    void Tick() {
        if (onTimer && enabled_) onTimer();
    }

  private:
    std::unique_ptr<TimerPeer> peer_;
    int interval_ = 0;
    bool enabled_ = false;
};

}  // namespace ui
