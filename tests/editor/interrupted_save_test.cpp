// Saving a script: a save killed at any moment leaves the old or the new file whole.
#include "support/killed_save.h"
#include "support/test_files.h"

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
