// Renaming symbols across a project: the renamed project compiles with the real makensis as before; collisions and installation headers are refused.
#include "nsis/core/include_search.h"
#include "nsis/core/symbol_rename.h"
#include "support/nsis_dir.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString kProject = QStringLiteral(SCRIVO_TEST_DATA "/nsis/project");

struct Compiled {
    int exitCode = -1;
    qint64 installerSize = -1;
    QString warnings;  // the "N warning(s):" summary and what follows
};

Compiled Compile(const QString& script) {
    const ToolRun makensis = RunTool(QStringLiteral("makensis"), {QStringLiteral("-V2"), script}, {.stdoutOnly = true});
    const QString output = QString::fromLocal8Bit(makensis.output);
    const qsizetype summary = output.indexOf(QRegularExpression(QStringLiteral("\\d+ warnings?:")));
    return {makensis.exitCode, QFileInfo(QFileInfo(script).dir().filePath(QStringLiteral("out.exe"))).size(),
            summary < 0 ? QString() : output.sliced(summary)};
}

class SymbolRenameTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        for (const char* name : {"main.nsi", "sub/level1.nsh", "sub/lib/funcs.nsh"}) {
            const QString relative = QString::fromLatin1(name);
            QDir(m_dir.path()).mkpath(QFileInfo(relative).path());
            ASSERT_TRUE(QFile::copy(kProject + u'/' + relative, m_dir.filePath(relative)));
            QFile::setPermissions(m_dir.filePath(relative), QFile::ReadOwner | QFile::WriteOwner);
        }
    }
    QString Main() const { return m_dir.filePath(QStringLiteral("main.nsi")); }
    NsisSymbolIndex Index() const { return NsisSymbolIndex::Build({Main()}, {}, MakeIncludeResolver(m_nsisDir)); }

    static QString LineOf(const QString& file, int line) {
        QFile f(file);
        f.open(QIODevice::ReadOnly);
        return QString::fromUtf8(f.readAll()).split(u'\n').value(line);
    }

    RenamePlan Plan(int line, int column, const QString& newName, const QString& file = {}) {
        const NsisSymbolIndex index = Index();
        const std::optional<NsisSymbolUse> use = index.UseAt(file.isEmpty() ? Main() : file, line - 1, column);
        if (!use)
            return {QStringLiteral("nothing there"), {}};
        return PlanRename(index, *use, newName, m_nsisDir, &LineOf);
    }

    static void Apply(const RenamePlan& plan) {
        for (const RenameEdit& edit : plan.edits) {
            QFile file(edit.place.file);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
            file.close();
            lines[edit.place.line] = edit.after;
            ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(lines.join(u'\n').toUtf8());
        }
    }

    QTemporaryDir m_dir;
    QString m_nsisDir = NsisDir();
};

}  // namespace

TEST_F(SymbolRenameTest, RenamedProjectCompilesAsBefore) {
    const Compiled before = Compile(Main());
    ASSERT_EQ(before.exitCode, 0);
    ASSERT_GT(before.installerSize, 0);
    struct Case {
        const char* what;
        int line;
        int column;
        const char* newName;
        std::size_t edits;
    };
    const Case cases[] = {
        {"function", 30, 10, "CopyProgramFiles", 2},
        {"macro inserted from another header's macro", 31, 18, "EnsureVersion", 2},
        {"variable, also inside strings", 19, 12, "DataFolder", 4},
        {"language string", 19, 40, "MSG_HELLO", 2},
        {"define in both !ifdef branches", 19, 26, "SALUTATION", 3},
        {"label of one function only", 24, 11, "finished", 2},
        {"page callback", 15, 14, "ShowFirstPage", 2},
    };
    for (const Case& c : cases) {
        const RenamePlan plan = Plan(c.line, c.column, QString::fromLatin1(c.newName));
        ASSERT_TRUE(plan.error.isEmpty()) << c.what << ": " << plan.error.toStdString();
        EXPECT_EQ(plan.edits.size(), c.edits) << c.what;
        Apply(plan);
    }
    const QString main = QString::fromUtf8([&] { QFile f(Main()); f.open(QIODevice::ReadOnly); return f.readAll(); }());
    EXPECT_TRUE(main.contains(u"; $INSTDIR_DATA in a comment")) << "comments are left alone";
    EXPECT_TRUE(main.contains(u"IfErrors done 0")) << "the section's own label is another symbol";
    const Compiled after = Compile(Main());
    EXPECT_EQ(after.exitCode, 0);
    EXPECT_EQ(after.installerSize, before.installerSize);
    EXPECT_EQ(after.warnings, before.warnings);
}

TEST_F(SymbolRenameTest, RefusesCollisionsBadNamesAndInstallationHeaders) {
    EXPECT_TRUE(Plan(30, 10, QStringLiteral("showpage")).error.contains(u"已被使用")) << "another function's name";
    EXPECT_TRUE(Plan(30, 10, QStringLiteral("installFILES")).error.isEmpty()) << "its own name in another case";
    EXPECT_TRUE(Plan(19, 12, QStringLiteral("data folder")).error.contains(u"不是有效的名称"));
    EXPECT_TRUE(Plan(23, 5, QStringLiteral("When")).error.contains(u"NSIS 安装的头文件")) << "LogicLib's ${If}";
}
