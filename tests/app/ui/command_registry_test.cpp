// The command registry: dispatch by id and by range, unknown ids, owned enabled rules, and the frame's coverage.
#include "support/frame_fixture.h"

#include "app/core/command_registry.h"
#include "app/core/command_table.h"

#include <set>

TEST(CommandRegistryTest, DispatchesByIdAndRangeAndReportsUnknownIds) {
    CommandRegistry registry;
    std::vector<int> ran;
    registry.Register(10, [&ran](int id) { ran.push_back(id); });
    registry.RegisterRange(100, 105, [&ran](int id) { ran.push_back(-id); });

    EXPECT_TRUE(registry.Dispatch(10));
    EXPECT_TRUE(registry.Dispatch(100));
    EXPECT_TRUE(registry.Dispatch(105));
    EXPECT_FALSE(registry.Has(106));
    EXPECT_FALSE(registry.Has(99));
    EXPECT_EQ(ran, (std::vector<int>{10, -100, -105}));
}

TEST(CommandRegistryTest, EnabledRulesAreAskedEachTime) {
    CommandRegistry registry;
    bool signedIn = false;
    registry.RegisterEnabledRule(7, [&signedIn] { return signedIn; });
    EXPECT_EQ(registry.EvaluateEnabledRules(), (std::vector<std::pair<int, bool>>{{7, false}}));
    signedIn = true;
    EXPECT_EQ(registry.EvaluateEnabledRules(), (std::vector<std::pair<int, bool>>{{7, true}}));
}

// Every menu item, tool button and tab-menu item reaches a handler.
TEST_F(FrameTest, EveryCommandOfTheTableHasAHandler) {
    for (const CommandInfo& info : CommandTable())
        EXPECT_TRUE(m_frame->Registry().Has(info.id)) << info.id << " " << info.menuText.toStdString();
    for (int id = ID_RECENT_FILE_FIRST; id <= ID_RECENT_FILE_LAST; ++id)
        EXPECT_TRUE(m_frame->Registry().Has(id)) << id;
}
