// Command tips from the real `makensis -CMDHELP`, and keyword completion.
#include "editor/core/command_tips.h"
#include "support/eventually.h"
#include "support/test_files.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
std::shared_ptr<const NsisTipsTable> ReadTips(const QString& compilerPath) {
    CGetNsisFuncTipsThread reader(compilerPath);
    EXPECT_TRUE(reader.Start());
    reader.Join();
    EXPECT_TRUE(reader.HasFinished());
    return reader.Table();
}

const QList<QByteArray> kWords = BuildCompletionWords(
    {"Section SectionEnd StrCpy Abort", "  $0 $R9 $INSTDIR $$ sleep  ", "$PROGRAMFILES SetOutPath"});
}  // namespace

TEST(CmdHelpParser, SkipsOnlyABannerAndJoinsContinuationLines) {
    const QByteArray output =
        "MakeNSIS v2.46 - Copyright 1995-2009 Contributors\r\n"
        "See the file COPYING for license details.\r\n"
        "Credits can be found in the Users Manual.\r\n"
        "\r\n"
        "Abort [message]\r\n"
        "File [/nonfatal] [/a] filespec |\r\n"
        "   /oname=outfile one_file_only)\r\n"
        "NoBlankHere\r\n"
        "   dropped continuation\r\n"
        "BringToFront \r\n";
    const NsisTipsTable table = ParseCmdHelp(output);
    EXPECT_EQ(table.value("abort"), "Abort [message]");
    EXPECT_EQ(table.value("file"), "File [/nonfatal] [/a] filespec |\r\n   /oname=outfile one_file_only)");
    EXPECT_EQ(table.value("bringtofront"), "BringToFront ");
    EXPECT_FALSE(table.contains("noblankhere"));
    EXPECT_EQ(table.size(), 3);
    // Without a banner the very first command counts.
    EXPECT_EQ(ParseCmdHelp("Abort [message]\nCall function_name\n").size(), 2);
}

TEST(CmdHelpReader, RealCompilerGivesTipsForExecAbortAndFile) {
    const auto tips = ReadTips("/usr/bin/makensis");
    ASSERT_GT(tips->size(), 200);
    EXPECT_EQ(tips->value("exec"), "Exec command_line");
    EXPECT_EQ(tips->value("abort"), "Abort [message]");
    EXPECT_TRUE(tips->value("file").startsWith("File [/nonfatal]"));
    EXPECT_TRUE(tips->value("file").contains("\r\n   /oname=outfile"));
    EXPECT_TRUE(tips->contains("!include"));

    const TipAction typed = OnCharAdded("  exec ", ' ', *tips, kWords);
    EXPECT_EQ(typed.kind, TipAction::Kind::ShowTip);
    EXPECT_EQ(typed.text, "Usage: Exec command_line");
    EXPECT_EQ(OnCharAdded("EXEC  ", ' ', *tips, kWords).text, "Usage: Exec command_line");
    EXPECT_EQ(OnCharAdded("Frobnicate ", ' ', *tips, kWords).kind, TipAction::Kind::CancelTip);
    EXPECT_EQ(OnCharAdded("  ", ' ', *tips, kWords).kind, TipAction::Kind::None);
}

TEST(CmdHelpReader, WithoutAWorkingCompilerThereAreNoTipsButCompletionWorks) {
    QTemporaryDir dir;
    for (const QString& path : {QString(), dir.filePath("missing-makensis"), QString("/bin/false")}) {
        const auto tips = ReadTips(path);
        EXPECT_TRUE(tips->isEmpty()) << path.toStdString();
        EXPECT_EQ(OnCharAdded("Exec ", ' ', *tips, kWords).kind, TipAction::Kind::CancelTip);
        EXPECT_EQ(OnCharAdded("s", 's', *tips, kWords).kind, TipAction::Kind::ShowCompletion);
    }
}

TEST(CmdHelpReader, DestroyingItWhileTheCompilerHangsEndsTheCompiler) {
    QTemporaryDir dir;
    const QString hanging = dir.filePath("makensis");
    const QString pidPath = dir.filePath("pid");
    ASSERT_TRUE(WriteExecutable(hanging, ("#!/bin/sh\necho $$ > '" + pidPath + "'\nexec sleep 30\n").toUtf8()));
    {
        CGetNsisFuncTipsThread reader(hanging);
        ASSERT_TRUE(reader.Start());
        ASSERT_EVENTUALLY(WrittenPid(pidPath) != 0);
    }
    ASSERT_EVENTUALLY(!IsAlive(WrittenPid(pidPath))) << "the hanging compiler outlived its reader";
}

TEST(Completion, WordListLeavesOutRegistersAndKeepsListOrder) {
    EXPECT_EQ(kWords,
              QList<QByteArray>(
                  {"Section", "SectionEnd", "StrCpy", "Abort", "$INSTDIR", "sleep", "$PROGRAMFILES", "SetOutPath"}));
    const TipAction dollar = OnCharAdded("StrCpy $", '$', {}, kWords);
    EXPECT_EQ(dollar.kind, TipAction::Kind::ShowCompletion);
    EXPECT_EQ(dollar.text, "$INSTDIR $PROGRAMFILES");
    EXPECT_EQ(dollar.prefixLength, 1);

    const TipAction s = OnCharAdded("  s", 's', {}, kWords);
    EXPECT_EQ(s.text, "Section SectionEnd StrCpy sleep SetOutPath");
    EXPECT_EQ(OnCharAdded("x SECT", 'T', {}, kWords).text, "Section SectionEnd");
    EXPECT_EQ(OnCharAdded("x SECT", 'T', {}, kWords).prefixLength, 4);
    EXPECT_EQ(OnCharAdded("qq", 'q', {}, kWords).kind, TipAction::Kind::None);
    EXPECT_EQ(OnCharAdded("a-", '-', {}, kWords).kind, TipAction::Kind::None);
}

TEST(Completion, CommentsGetNoListAndStringsOnlyVariables) {
    const struct {
        const char* line;
        NsisStyle style;
        bool listed;
    } cases[] = {
        {"; install the s", NsisStyle::Comment, false},
        {"/* s", NsisStyle::CommentBox, false},
        {"DetailPrint \"S", NsisStyle::DoubleQuoted, false},
        {"DetailPrint 'S", NsisStyle::SingleQuoted, false},
        {"DetailPrint \"$", NsisStyle::DoubleQuoted, true},
        {"DetailPrint `$I", NsisStyle::StringVariable, true},
        {"StrCpy $", NsisStyle::Default, true},
        {"  S", NsisStyle::Command, true},
    };
    for (const auto& c : cases) {
        const QByteArrayView line(c.line);
        const TipAction action = OnCharAdded(line, line.back(), {}, kWords, c.style);
        EXPECT_EQ(action.kind == TipAction::Kind::ShowCompletion, c.listed) << c.line;
    }
}

TEST(Completion, EnterTakesAnEntryOnlyAfterMovingAndNeverForAWholeWord) {
    const struct {
        bool moved;
        const char* typed;
        bool accepts;
    } cases[] = {
        {false, "Sec", false},
        {true, "Sec", true},
        {false, "Section", false},
        {true, "section", false},  // a whole word stays as typed, in any case
        {true, "$INSTDIR", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(EnterAcceptsCompletion(c.moved, c.typed, kWords), c.accepts) << c.moved << " " << c.typed;
    EXPECT_EQ(WordBeforeCaret("SetOutPath $INST"), "$INST");
    EXPECT_EQ(WordBeforeCaret("x = "), "");
}

TEST(HoverTip, SameWordAtTheSamePositionDoesNotReopen) {
    const NsisTipsTable tips{{"exec", "Exec command_line"}, {"execwait", "ExecWait command_line"}};
    HoverTipMemory memory;
    const QByteArray line = "  Exec \"a.exe\" ; ExecWait";
    TipAction action = OnDwellStart(line, 4, 104, false, tips, memory);
    EXPECT_EQ(action.kind, TipAction::Kind::ShowTip);
    EXPECT_EQ(action.text, "Usage: Exec command_line");
    EXPECT_EQ(memory.position, 104);
    EXPECT_EQ(memory.word, "Exec");

    EXPECT_EQ(OnDwellStart(line, 4, 104, true, tips, memory).kind, TipAction::Kind::None);
    // Closed meanwhile, or elsewhere: shown again.
    EXPECT_EQ(OnDwellStart(line, 4, 104, false, tips, memory).kind, TipAction::Kind::ShowTip);
    EXPECT_EQ(OnDwellStart(line, 3, 103, true, tips, memory).kind, TipAction::Kind::ShowTip);
    // The text changed under a tip that stayed open: the new word's tip.
    const TipAction changed = OnDwellStart("  ExecWait", 3, 103, true, tips, memory);
    EXPECT_EQ(changed.kind, TipAction::Kind::ShowTip);
    EXPECT_EQ(changed.text, "Usage: ExecWait command_line");

    EXPECT_EQ(OnDwellStart(line, 1, 101, true, tips, memory).kind, TipAction::Kind::CancelTip);
    EXPECT_EQ(OnDwellStart(line, 9, 109, true, tips, memory).kind, TipAction::Kind::CancelTip);
    EXPECT_EQ(OnDwellStart(line, 4, -1, false, tips, memory).kind, TipAction::Kind::None);
    EXPECT_EQ(OnDwellStart(line, 99, 199, false, tips, memory).kind, TipAction::Kind::CancelTip);
}
