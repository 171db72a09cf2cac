// Saving a script: a save killed at any moment leaves the old or the new file whole; links and modes survive.
#include "editor/core/text_document.h"
#include "support/killed_save.h"
#include "support/scripted_prompter.h"
#include "support/test_files.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <random>

namespace {

QByteArray ScriptOf(char mark, int lines) {
    return QByteArray("; version ") + mark + "\nSection \"" + mark + "\"\n"
        + QByteArray("  DetailPrint \"line of ") .append(mark).append("\"\n").repeated(lines) + "SectionEnd\n";
}

}  // namespace

TEST(InterruptedScriptSave, EveryKillLeavesTheOldOrTheNewBytesAndNoTemporaryFile) {
    QTemporaryDir dir, versions;
    ASSERT_TRUE(dir.isValid() && versions.isValid());
    // Different lengths, so a torn or half-replaced file shows.
    const QByteArray oldBytes = ScriptOf('A', 60000);
    const QByteArray newBytes = ScriptOf('B', 45000);
    const QString oldPath = versions.filePath(QStringLiteral("old.nsi"));
    const QString newPath = versions.filePath(QStringLiteral("new.nsi"));
    ASSERT_TRUE(WriteBytes(oldPath, oldBytes) && WriteBytes(newPath, newBytes));
    const QString script = dir.filePath(QStringLiteral("setup.nsi"));
    ASSERT_TRUE(WriteBytes(script, oldBytes));

    const unsigned seed = std::random_device{}();
    KilledSaver saver(seed);
    for (int round = 0; round < 50; ++round) {
        ASSERT_TRUE(saver.RunAndKill({QStringLiteral("script"), script, oldPath, newPath})) << "seed " << seed;
        const QByteArray now = ReadBytes(script);
        ASSERT_TRUE(now == oldBytes || now == newBytes) << "round " << round << ", seed " << seed << ", "
                                                        << now.size() << " bytes";
        ASSERT_EQ(FolderEntries(dir.path()), QStringList{QStringLiteral("setup.nsi")}) << "round " << round;
    }
}

TEST(InterruptedScriptSave, SavingKeepsALinkAndTheFileMode) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString target = dir.filePath(QStringLiteral("real.nsi"));
    const QString link = dir.filePath(QStringLiteral("link.nsi"));
    ASSERT_TRUE(WriteBytes(target, "Name old\n"));
    ASSERT_TRUE(QFile::link(target, link));
    ASSERT_EQ(::chmod(QFile::encodeName(target).constData(), 0640), 0);

    ScriptedPrompter prompter;
    TextDocument document(prompter);
    QByteArray text;
    ASSERT_TRUE(document.LoadFile(link, false, text));
    ASSERT_TRUE(document.SaveFile("Name new\n"));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), target);
    EXPECT_EQ(ReadBytes(target), "Name new\n");
    struct stat status {};
    ASSERT_EQ(::stat(QFile::encodeName(target).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    EXPECT_TRUE(prompter.Messages().empty());
}
