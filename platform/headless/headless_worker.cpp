#include <thread>

#include "platform/worker.h"

namespace platform {

struct Worker::Thread {
    std::thread thread;
};

Worker::Worker() = default;

Worker::~Worker() {
    Wait();
}

bool Worker::Start(std::function<void()> job) {
    Wait();
    try {
        thread_ = std::make_unique<Thread>(Thread{std::thread(std::move(job))});
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

void Worker::Wait() {
    if (!thread_) return;
    thread_->thread.join();
    thread_.reset();
}

}  // namespace platform
