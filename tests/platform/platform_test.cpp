// The platform stand-ins: CThread runs once per start and restarts; the test seam answers in order.
#include "platform/thread.h"
#include "support/scripted_prompter.h"

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

TEST(ScriptedPrompter, AnswersInOrderAndRecordsQuestions) {
    ScriptedPrompter prompter;
    prompter.QueueAnswer(PromptAnswer::Yes);
    EXPECT_EQ(prompter.Ask("a", "c", PromptIcon::Question, PromptButtons::YesNo), PromptAnswer::Yes);
    EXPECT_EQ(prompter.Ask("b", "c", PromptIcon::Question, PromptButtons::YesNo), PromptAnswer::Cancel);
    ASSERT_EQ(prompter.Messages().size(), 2u);
    EXPECT_EQ(prompter.Messages()[1].text, "b");
    EXPECT_TRUE(prompter.SaveFileName({}).isEmpty());
}
