// IsSameFile: other spellings and links name one file, another letter case does not.
#include "platform/same_file.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(ShellRules, SameFileBySpellingNotByLetterCase) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.nsi"));
    QFile(path).open(QIODevice::WriteOnly);
    EXPECT_TRUE(IsSameFile(path, dir.path() + QStringLiteral("/./a.nsi")));
    ASSERT_TRUE(QFile::link(path, dir.filePath(QStringLiteral("link.nsi"))));
    EXPECT_TRUE(IsSameFile(path, dir.filePath(QStringLiteral("link.nsi"))));
    // On a case-sensitive file system another letter case is another file.
    QFile(dir.filePath(QStringLiteral("A.nsi"))).open(QIODevice::WriteOnly);
    EXPECT_FALSE(IsSameFile(path, dir.filePath(QStringLiteral("A.nsi"))));
    EXPECT_FALSE(IsSameFile(path, dir.filePath(QStringLiteral("missing.nsi"))));
}
