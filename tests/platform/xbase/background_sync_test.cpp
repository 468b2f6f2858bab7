// The background sync serves every wait with a sync that began after the writes it covers, joins
// requests that arrive while a sync runs, and reports a failed sync once.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/xbase/background_sync.h"

namespace xbase {
namespace {

TEST(BackgroundSyncTest, WaitsCoverTheirWritesAndHearOfAFailureOnce) {
    std::atomic<int> syncs{0};
    std::atomic<uint64_t> written{0}, coveredBySync{0};
    std::atomic<bool> fail{false};
    BackgroundSync sync([&] {
        coveredBySync = written.load();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        ++syncs;
        return fail.exchange(false) ? Status::IOError("t.dbf", "cannot sync") : Status::OK();
    });
    for (uint64_t w = 1; w <= 20; ++w) {  // requests faster than syncs: they are joined
        written = w;
        sync.Request(w);
    }
    ASSERT_TRUE(sync.Wait(20).ok());
    EXPECT_EQ(coveredBySync.load(), 20u);
    EXPECT_LT(syncs.load(), 20);

    fail = true;
    written = 21;
    Status s = sync.Wait(21);
    EXPECT_FALSE(s.ok());
    EXPECT_NE(s.ToString().find("cannot sync"), std::string::npos);
    EXPECT_TRUE(sync.Wait(21).ok()) << "a failure is reported once";

    written = 22;
    sync.Request(22);
    sync.Drain();
    EXPECT_EQ(coveredBySync.load(), 22u);
}

}  // namespace
}  // namespace xbase
