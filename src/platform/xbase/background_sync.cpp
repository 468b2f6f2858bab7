#include "platform/xbase/background_sync.h"

#include <utility>

namespace xbase {

BackgroundSync::BackgroundSync(std::function<Status()> sync)
    : sync_(std::move(sync)), thread_([this] { Run(); }) {}

BackgroundSync::~BackgroundSync() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void BackgroundSync::Run() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return stop_ || requested_ > synced_; });
        if (requested_ <= synced_)
            return;  // stopping, with nothing left to sync
        const uint64_t target = requested_;
        lock.unlock();
        Status s = sync_();
        lock.lock();
        if (!s.ok() && failure_.ok())
            failure_ = std::move(s);
        synced_ = target;
        changed_.notify_all();
    }
}

void BackgroundSync::Request(uint64_t upTo) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (upTo <= requested_)
            return;
        requested_ = upTo;
    }
    changed_.notify_all();
}

Status BackgroundSync::Wait(uint64_t upTo) {
    Request(upTo);
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [&] { return synced_ >= upTo; });
    return std::exchange(failure_, Status::OK());
}

void BackgroundSync::Drain() {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return synced_ >= requested_; });
}

}  // namespace xbase
