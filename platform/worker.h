#pragma once
// One job run on a thread of its own, for work the window's thread should not wait for.
// The job must not throw: it keeps its own result and failures.
#include <functional>
#include <memory>

namespace platform {

class Worker {
  public:
    Worker();
    Worker(const Worker&) = delete;
    Worker& operator=(const Worker&) = delete;
    ~Worker();  // waits for the job

    // Waits for any earlier job first. False, and nothing runs, when no thread can be had.
    bool Start(std::function<void()> job);
    // Returns once the job has ended, or at once when none runs.
    void Wait();

  private:
    struct Thread;
    std::unique_ptr<Thread> thread_;
};

}  // namespace platform
