// Enabling and check rules of the commands and the status bar texts.
#include "app/core/command_ids.h"
#include "app/core/command_states.h"

#include <gtest/gtest.h>
#include <map>

using namespace Qt::StringLiterals;

namespace {

std::map<int, bool> Enabled(const CommandStates& states) {
    std::map<int, bool> map;
    for (auto [id, on] : states.enabled) {
        EXPECT_FALSE(map.count(id)) << "command " << id << " set twice";
        map[id] = on;
    }
    return map;
}

}  // namespace

TEST(CommandStates, NoDocumentDisablesAllThirtyEight) {
    const auto map = Enabled(ComputeCommandStates(std::nullopt, false));
    EXPECT_EQ(map.size(), 38u);
    for (auto [id, on] : map)
        EXPECT_FALSE(on) << id;
    EXPECT_FALSE(ComputeCommandStates(std::nullopt, false).checkedEncoding);
}





TEST(CommandStates, ModifiedAndSelection) {
    DocumentState d;
    d.modified = d.anyModified = d.hasSelection = d.canUndo = true;
    auto map = Enabled(ComputeCommandStates(d, false));
    EXPECT_TRUE(map[Cmd::Save]);
    EXPECT_FALSE(map[Cmd::Reload]);  // nothing on disk to go back to
    EXPECT_TRUE(map[Cmd::SaveAll]);
    EXPECT_TRUE(map[Cmd::Undo]);
    EXPECT_FALSE(map[Cmd::Redo]);
    EXPECT_TRUE(map[Cmd::InvertCase]);
    d.hasPath = true;
    EXPECT_TRUE(Enabled(ComputeCommandStates(d, false))[Cmd::Reload]);
}

TEST(CommandStates, EncodingRadioChecks) {
    const std::pair<TextEncoding, int> expected[] = {
        {TextEncoding::Ansi, Cmd::EncodingAnsi}, {TextEncoding::SevenBit, Cmd::EncodingAnsi},
        {TextEncoding::Utf8NoBom, Cmd::EncodingUtf8NoBom}, {TextEncoding::Utf8, Cmd::EncodingUtf8},
        {TextEncoding::Ucs2BigEndian, Cmd::EncodingUcs2Be}, {TextEncoding::Ucs2BigEndianNoBom, Cmd::EncodingUcs2Be},
        {TextEncoding::Ucs2LittleEndian, Cmd::EncodingUcs2Le},
        {TextEncoding::Ucs2LittleEndianNoBom, Cmd::EncodingUcs2Le}};
    for (auto [encoding, id] : expected) {
        DocumentState d;
        d.encoding = encoding;
        EXPECT_EQ(ComputeCommandStates(d, false).checkedEncoding, id) << int(encoding);
    }
    EXPECT_EQ(EncodingOfCommand(Cmd::EncodingAnsi), TextEncoding::SevenBit);
    EXPECT_EQ(EncodingOfCommand(Cmd::EncodingUcs2Be), TextEncoding::Ucs2BigEndian);
    EXPECT_FALSE(EncodingOfCommand(Cmd::Save));
}

TEST(StatusTexts, Formats) {
    EXPECT_EQ(CaretStatusText(3, 7, 12), u"行 : 3,  列 : 7,  选择 : 12"_s);
    EXPECT_EQ(CountStatusText(10, 250), u"共 10 行, 250 字符"_s);
    EXPECT_EQ(SignInStatusText(false), u"状态:未登录"_s);
    EXPECT_EQ(SignInStatusText(true), u"状态:已登录"_s);
    EXPECT_EQ(OvertypeStatusText(true), u"覆盖"_s);
    EXPECT_EQ(OvertypeStatusText(false), u"插入"_s);
}
