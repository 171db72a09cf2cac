// CSourceIndex: the include search checked against what the installed makensis opens.
#include "compiler/core/source_index.h"

#include "support/nsis_dir.h"
#include "support/test_files.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
struct ProbeFile {
    const char* path;
    const char* text;
};

// Each header says which one it is; same-named headers in several folders show the order of the search.
const ProbeFile kProbe[] = {
    {"probe.nsi",
     "!addincludedir \"inc\"\n"
     "!include \"same.nsh\"\n"      // the script's folder before !addincludedir
     "!include \"only.nsh\"\n"      // found through !addincludedir
     "!include \"mixed.NSH\"\n"     // the file name in any case
     "!include \"Sections.nsh\"\n"  // NSISDIR/Include before !addincludedir
     "!include \"LogicLib.nsh\"\n"  // the script's folder before NSISDIR/Include
     "!include \"sub/outer.nsh\"\n"
     "!include \"${__FILEDIR__}\\My (x86) dir\\paren.nsh\"\n"
     "!include /NONFATAL \"SUB/inner.nsh\"\n"  // folder names keep their case
     "OutFile \"probe.exe\"\nSection\nSectionEnd\n"},
    {"same.nsh", "; script folder\n"},
    {"inc/same.nsh", "; include folder\n"},
    {"inc/only.nsh", "; include folder\n"},
    {"inc/Sections.nsh", "; include folder\n"},
    {"Mixed.nsh", "; mixed case\n"},
    {"LogicLib.nsh", "; script folder\n"},
    // A relative name in an included header is found from the folder makensis compiles in, not the header's.
    {"sub/outer.nsh", "!include \"rel.nsh\"\n!include \"${__FILEDIR__}/inner.nsh\"\n"},
    {"sub/rel.nsh", "; beside the header\n"},
    {"rel.nsh", "; script folder\n"},
    {"sub/inner.nsh", "; beside the header\n"},
    {"My (x86) dir/paren.nsh", "; parentheses\n"},
};

// The files makensis opened, in order; "" for one it could not find.
QStringList OpenedByMakensis(const QString& folder) {
    const ToolRun makensis =
        RunTool(QStringLiteral("makensis"),
                {QStringLiteral("-V4"), QStringLiteral("-NOCONFIG"), QStringLiteral("probe.nsi")}, {.workDir = folder});
    static const QRegularExpression opened(QStringLiteral(R"re(^!include: "(.+)" \()re"));
    static const QRegularExpression missing(QStringLiteral(R"(^warning \d+: !include: could not find: )"));
    QStringList files;
    for (const QString& line : QString::fromUtf8(makensis.output).split(u'\n')) {
        if (const QRegularExpressionMatch match = opened.match(line); match.hasMatch())
            files << QDir::cleanPath(QDir(folder).absoluteFilePath(match.captured(1)));
        else if (missing.match(line).hasMatch())
            files << QString();
    }
    return files;
}
}  // namespace

TEST(CSourceIndex, SearchesIncludesAsTheInstalledMakensisDoes) {
    QTemporaryDir folder;
    const QDir root(folder.path());
    for (const ProbeFile& file : kProbe) {
        ASSERT_TRUE(root.mkpath(QFileInfo(root.filePath(file.path)).path()));
        ASSERT_TRUE(WriteBytes(root.filePath(file.path), file.text));
    }
    const QString script = root.filePath("probe.nsi");
    const QString outer = root.filePath("sub/outer.nsh");
    const CSourceIndex index(script, folder.path(), NsisDir());
    const std::pair<const char*, QString> includes[] = {
        {"same.nsh", script},     {"only.nsh", script},      {"mixed.NSH", script},
        {"Sections.nsh", script}, {"LogicLib.nsh", script},  {"sub/outer.nsh", script},
        {"rel.nsh", outer},       {"${__FILEDIR__}/inner.nsh", outer},
        {"${__FILEDIR__}\\My (x86) dir\\paren.nsh", script}, {"SUB/inner.nsh", script},
    };
    QStringList found;
    for (const auto& [name, from] : includes)
        found << index.ResolveInclude(QString::fromUtf8(name), from);
    EXPECT_EQ(found, OpenedByMakensis(folder.path()));
    EXPECT_EQ(found[3], NsisDir() + "/Include/Sections.nsh");
}
