// CThread runs its work once per start and can be started again after it ends.
#include "platform/thread.h"

#include <gtest/gtest.h>

namespace {
class CountingThread : public CThread {
public:
    ~CountingThread() override { Join(); }
    std::atomic<int> runs{0};

protected:
    void Run() override { ++runs; }
};
}  // namespace

TEST(CThread, RunsOncePerStartAndRestartsAfterJoin) {
    CountingThread thread;
    ASSERT_TRUE(thread.Start());
    thread.Join();
    EXPECT_FALSE(thread.IsRunning());
    ASSERT_TRUE(thread.Start());
    thread.Join();
    EXPECT_EQ(thread.runs.load(), 2);
}
