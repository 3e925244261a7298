#include <windows.h>

#include "platform/worker.h"

// The system's own thread: the runtime's thread and future machinery weighed more in the
// exe than everything that uses it.
namespace platform {

struct Worker::Thread {
    std::function<void()> job;
    HANDLE handle = nullptr;
};

namespace {

DWORD WINAPI RunJob(void* param) {
    (*static_cast<std::function<void()>*>(param))();
    return 0;
}

}  // namespace

Worker::Worker() = default;

Worker::~Worker() {
    Wait();
}

bool Worker::Start(std::function<void()> job) {
    Wait();
    auto thread = std::make_unique<Thread>();
    thread->job = std::move(job);
    thread->handle = CreateThread(nullptr, 0, RunJob, &thread->job, 0, nullptr);
    if (!thread->handle) return false;
    thread_ = std::move(thread);
    return true;
}

void Worker::Wait() {
    if (!thread_) return;
    WaitForSingleObject(thread_->handle, INFINITE);
    CloseHandle(thread_->handle);
    thread_.reset();
}

}  // namespace platform
