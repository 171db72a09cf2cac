// Enabling and check rules of the commands; the texts of the status bar show in the frame tests.
#include "app/core/command_ids.h"
#include "app/core/command_states.h"

#include <gtest/gtest.h>
#include <map>

namespace {

std::map<int, bool> Enabled(const std::optional<DocumentState>& d) {
    std::map<int, bool> map;
    for (auto [id, on] : ComputeCommandStates(d, false).enabled) {
        EXPECT_FALSE(map.count(id)) << "command " << id << " set twice";
        map[id] = on;
    }
    return map;
}

}  // namespace

TEST(CommandStates, NoDocumentDisablesAllThirtyEightAndEveryCodePage) {
    const auto map = Enabled(std::nullopt);
    EXPECT_EQ(map.size(), 38u + 2 * kCodePageCount);
    for (auto [id, on] : map)
        EXPECT_FALSE(on) << id;
    EXPECT_FALSE(ComputeCommandStates(std::nullopt, false).checkedEncoding);
}

TEST(CommandStates, ModifiedAndSelection) {
    DocumentState d;
    d.modified = d.anyModified = d.hasSelection = d.canUndo = true;
    auto map = Enabled(d);
    for (int id : {Cmd::Save, Cmd::SaveAll, Cmd::Undo, Cmd::InvertCase})
        EXPECT_TRUE(map[id]) << id;
    EXPECT_FALSE(map[Cmd::Reload]);  // nothing on disk to go back to
    EXPECT_FALSE(map[Cmd::Redo]);
    d.hasPath = true;
    EXPECT_TRUE(Enabled(d)[Cmd::Reload]);
}

TEST(CommandStates, EncodingRadioChecks) {
    const std::pair<TextEncoding, int> expected[] = {{TextEncoding::Ansi, Cmd::EncodingAnsi},
                                                     {TextEncoding::SevenBit, Cmd::EncodingAnsi},
                                                     {TextEncoding::Utf8NoBom, Cmd::EncodingUtf8NoBom},
                                                     {TextEncoding::Utf8, Cmd::EncodingUtf8},
                                                     {TextEncoding::Ucs2BigEndian, Cmd::EncodingUcs2Be},
                                                     {TextEncoding::Ucs2BigEndianNoBom, Cmd::EncodingUcs2Be},
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
