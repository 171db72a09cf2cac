// The test seam answers in order and records what was asked.
#include "support/scripted_prompter.h"

#include <gtest/gtest.h>

TEST(ScriptedPrompter, AnswersInOrderAndRecordsQuestions) {
    ScriptedPrompter prompter;
    prompter.QueueAnswer(PromptAnswer::Yes);
    EXPECT_EQ(prompter.Ask("a", "c", PromptIcon::Question, PromptButtons::YesNo), PromptAnswer::Yes);
    EXPECT_EQ(prompter.Ask("b", "c", PromptIcon::Question, PromptButtons::YesNo), PromptAnswer::Cancel);
    ASSERT_EQ(prompter.Messages().size(), 2u);
    EXPECT_EQ(prompter.Messages()[1].text, "b");
    EXPECT_TRUE(prompter.SaveFileName({}).isEmpty());
}
