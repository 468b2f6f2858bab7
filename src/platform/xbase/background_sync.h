// Syncs a table's files on a thread of its own. A change whose record must reach the disk asks
// for the sync as soon as the record is written, and updates its index keys while the disk works;
// whoever then needs the change on the disk waits for that sync instead of starting another.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

#include "platform/xbase/status.h"

namespace xbase {

class BackgroundSync {
public:
    // `sync` puts the files on the disk. It runs on the background thread, one call at a time,
    // and must not race with the owner replacing the files (Drain first).
    explicit BackgroundSync(std::function<Status()> sync);
    // Finishes the syncs asked for, then ends the thread.
    ~BackgroundSync();
    BackgroundSync(const BackgroundSync&) = delete;
    BackgroundSync& operator=(const BackgroundSync&) = delete;

    // Asks for a sync covering the writes numbered up to `upTo`, all of them issued before the
    // call. Requests that arrive while a sync runs are served together by the next one.
    void Request(uint64_t upTo);
    // Returns once the writes numbered up to `upTo` are synced, asking for that sync if nobody
    // has. A failed sync is reported once, to the first wait that ends after it.
    Status Wait(uint64_t upTo);
    // Returns once no sync is asked for or running.
    void Drain();

private:
    void Run();

    std::function<Status()> sync_;
    std::mutex mutex_;
    std::condition_variable changed_;
    uint64_t requested_ = 0;
    uint64_t synced_ = 0;
    bool stop_ = false;
    Status failure_;
    std::thread thread_;  // last: it starts once everything above is set
};

}  // namespace xbase
