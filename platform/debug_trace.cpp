#include "platform/debug_trace.h"

#include <cstdio>
#include <utility>

#ifdef _WIN32
#include "platform/win32/win32_code_page.h"
#endif

namespace platform {

namespace {
TraceSink& Sink() {
    static TraceSink sink;
    return sink;
}

StepSink stepSink = nullptr;

using Clock = std::chrono::steady_clock;
}  // namespace

void DebugTrace(const std::string& text) {
    if (Sink()) {
        Sink()(text);
        return;
    }
    const std::string line = "Quopa: " + text + "\n";
#ifdef _WIN32
    OutputDebugStringW(Wide(line).c_str());
#else
    std::fputs(line.c_str(), stderr);
#endif
}

TraceSink SetTraceSink(TraceSink sink) {
    return std::exchange(Sink(), std::move(sink));
}

StepSink SetStepSink(StepSink sink) {
    return std::exchange(stepSink, sink);
}

StepSink CurrentStepSink() {
    return stepSink;
}

TimedStep::TimedStep(const char* step) : step_(stepSink ? step : nullptr) {
    if (step_) start_ = Clock::now();
}

void TimedStep::End() {
    if (!step_) return;
    const Clock::duration took = Clock::now() - start_;
    const char* step = std::exchange(step_, nullptr);
    if (stepSink) stepSink(step, took);
}

StepTotal::~StepTotal() {
    if (step_ && stepSink) stepSink(step_, sum_);
}

StepTotal::Stretch::Stretch(StepTotal& total) : total_(total.step_ ? &total : nullptr) {
    if (total_) start_ = Clock::now();
}

StepTotal::Stretch::~Stretch() {
    if (total_) total_->sum_ += Clock::now() - start_;
}

}  // namespace platform
