// The command registry: dispatch by id and by range, unknown ids, owned enabled, checked and text rules, and the frame's coverage.
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

TEST(CommandRegistryTest, RulesAreAskedEachTime) {
    CommandRegistry registry;
    bool signedIn = false;
    registry.RegisterEnabledRule(7, [&signedIn] { return signedIn; });
    registry.RegisterCheckedRule(8, [&signedIn] { return !signedIn; });
    registry.RegisterTextRule(9, [&signedIn] { return signedIn ? QStringLiteral("out") : QStringLiteral("in"); });
    using States = std::vector<std::pair<int, bool>>;
    using Texts = std::vector<std::pair<int, QString>>;
    EXPECT_EQ(registry.EvaluateEnabledRules(), (States{{7, false}}));
    EXPECT_EQ(registry.EvaluateCheckedRules(), (States{{8, true}}));
    EXPECT_EQ(registry.EvaluateTextRules(), (Texts{{9, QStringLiteral("in")}}));
    signedIn = true;
    EXPECT_EQ(registry.EvaluateEnabledRules(), (States{{7, true}}));
    EXPECT_EQ(registry.EvaluateCheckedRules(), (States{{8, false}}));
    EXPECT_EQ(registry.EvaluateTextRules(), (Texts{{9, QStringLiteral("out")}}));
}

// Every menu item, tool button and tab-menu item reaches a handler: the frame
// says so at start-up for any that does not.
TEST_F(FrameTest, EveryCommandOfTheTableHasAHandler) {
    static QStringList warnings;
    warnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtWarningMsg)
            warnings << text;
    });
    CreateFrame();
    qInstallMessageHandler(previous);
    EXPECT_EQ(warnings.filter(QStringLiteral("has no handler")), QStringList());
}
