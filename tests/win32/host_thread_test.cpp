// The host's own threads: started only once their owner holds them, stopped
// through their stop event, waited for within a limit.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>

#include "formhost/win32/system/owners.h"

namespace {

using formhost::win32::HostThread;

void until_stopped(void* context, HANDLE stop) {
    static_cast<std::atomic<int>*>(context)->fetch_add(1);
    WaitForSingleObject(stop, INFINITE);
}

TEST(HostThread, RunsUntilAskedToStopAndThenEnds) {
    std::atomic<int> began{0};
    HostThread thread;
    ASSERT_TRUE(thread.start(&until_stopped, &began));
    EXPECT_TRUE(thread.started());
    // Not ended: a limit of 0 and a short one both say so.
    EXPECT_FALSE(thread.wait(0));
    EXPECT_FALSE(thread.wait(60));
    EXPECT_EQ(began.load(), 1);
    EXPECT_TRUE(thread.stop(5000));
    // Ended: a limit of 0 says so at once, as often as asked.
    EXPECT_TRUE(thread.wait(0));
    EXPECT_TRUE(thread.wait(0));
    thread.forget();
    EXPECT_FALSE(thread.started());
    EXPECT_TRUE(thread.wait(0)) << "no thread is an ended thread";
}

struct SelfWait {
    HostThread* thread = nullptr;
    std::atomic<int> answer{-1};
};

void waits_for_itself(void* context, HANDLE) {
    auto* self = static_cast<SelfWait*>(context);
    self->answer = self->thread->wait(1000) ? 1 : 0;
}

TEST(HostThread, ABodyMayUseItsOwnerAtOnceButNeverWaitsForItself) {
    SelfWait self;
    HostThread thread;
    self.thread = &thread;
    ASSERT_TRUE(thread.start(&waits_for_itself, &self));
    ASSERT_TRUE(thread.wait(5000));
    EXPECT_EQ(self.answer.load(), 0);
}

HANDLE refuse(LPTHREAD_START_ROUTINE, void*, DWORD*) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
}

TEST(HostThread, ARefusedThreadIsNoneAndNothingWaitsForIt) {
    std::atomic<int> began{0};
    HostThread thread;
    EXPECT_FALSE(thread.start(&until_stopped, &began, &refuse));
    EXPECT_FALSE(thread.started());
    EXPECT_TRUE(thread.stop(0));
    EXPECT_EQ(began.load(), 0);
}

}  // namespace
