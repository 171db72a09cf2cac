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

TEST(CommandStates, EveryDocumentCommandGetsAState) {
    const auto map = Enabled(ComputeCommandStates(DocumentState{}, false));
    for (int id : DocumentCommands())
        EXPECT_TRUE(map.count(id)) << id;
    EXPECT_EQ(map.size(), DocumentCommands().size());
}

TEST(CommandStates, NewEmptyDocument) {
    auto map = Enabled(ComputeCommandStates(DocumentState{}, false));
    for (int id : {Cmd::Save, Cmd::Reload, Cmd::Cut, Cmd::Copy, Cmd::Delete, Cmd::UpperCase, Cmd::QuoteSelection,
                   Cmd::StopCompile, Cmd::RunInstaller, Cmd::Undo, Cmd::SaveAll})
        EXPECT_FALSE(map[id]) << id;
    for (int id : {Cmd::Compile, Cmd::CompileRun, Cmd::OpenFolder, Cmd::SaveAs, Cmd::Find, Cmd::GoToLine})
        EXPECT_TRUE(map[id]) << id;
}

TEST(CommandStates, SavedHeaderCannotBeCompiled) {
    DocumentState nsh;
    nsh.hasPath = nsh.fileExists = true;
    nsh.isNsiScript = false;
    auto map = Enabled(ComputeCommandStates(nsh, false));
    EXPECT_FALSE(map[Cmd::Compile]);
    EXPECT_FALSE(map[Cmd::CompileRun]);
    EXPECT_FALSE(map[Cmd::OpenFolder]);
    nsh.isNsiScript = true;
    EXPECT_TRUE(Enabled(ComputeCommandStates(nsh, false))[Cmd::Compile]);
    nsh.fileExists = false;  // deleted behind the editor's back
    EXPECT_FALSE(Enabled(ComputeCommandStates(nsh, false))[Cmd::Compile]);
}

TEST(CommandStates, RunningCompile) {
    DocumentState d;
    d.installerExists = true;
    auto running = Enabled(ComputeCommandStates(d, true));
    EXPECT_FALSE(running[Cmd::Compile]);
    EXPECT_TRUE(running[Cmd::StopCompile]);
    EXPECT_FALSE(running[Cmd::RunInstaller]);
    auto idle = Enabled(ComputeCommandStates(d, false));
    EXPECT_TRUE(idle[Cmd::RunInstaller]);
    EXPECT_FALSE(idle[Cmd::StopCompile]);
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
