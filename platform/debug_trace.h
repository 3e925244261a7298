#pragma once
// Tells a developer about a fault the program caught and lived with. Never the user: on
// Windows a debugger's output (OutputDebugStringA), elsewhere standard error.
//
// Also times the start-up's steps inside the program. Only a test build of the exe sets a
// step sink; without one a step costs the test of a pointer and reads no clock.
#include <chrono>
#include <functional>
#include <string>

namespace platform {

void DebugTrace(const std::string& text);

// Tests catch the traces; an empty sink puts the default back. Returns the sink it replaced.
using TraceSink = std::function<void(const std::string& text)>;
TraceSink SetTraceSink(TraceSink sink);

// Told each step's name and duration when the step ends. Set before the first step.
using StepSink = void (*)(const char* step, std::chrono::steady_clock::duration took);
StepSink SetStepSink(StepSink sink);
StepSink CurrentStepSink();

// One step, from construction to destruction (or End).
class TimedStep {
  public:
    explicit TimedStep(const char* step);
    TimedStep(const TimedStep&) = delete;
    TimedStep& operator=(const TimedStep&) = delete;
    ~TimedStep() { End(); }
    void End();

  private:
    const char* step_;  // null when nobody listens, or once told
    std::chrono::steady_clock::time_point start_;
};

// A step made of many short stretches (one per item of a load), told once as their sum.
class StepTotal {
  public:
    explicit StepTotal(const char* step) : step_(CurrentStepSink() ? step : nullptr) {}
    StepTotal(const StepTotal&) = delete;
    StepTotal& operator=(const StepTotal&) = delete;
    ~StepTotal();

    // Times one stretch while it lives.
    class Stretch {
      public:
        explicit Stretch(StepTotal& total);
        Stretch(const Stretch&) = delete;
        Stretch& operator=(const Stretch&) = delete;
        ~Stretch();

      private:
        StepTotal* total_;  // null when nobody listens
        std::chrono::steady_clock::time_point start_;
    };

  private:
    const char* step_;
    std::chrono::steady_clock::duration sum_{};
};

}  // namespace platform
