// The NSIS lexer over the compiler's own headers and examples: every file styled, its folds matching its blocks.
#include "nsis/core/nsis_lexer.h"

#include "support/nsis_dir.h"

#include <QDirIterator>
#include <QFile>
#include <QSet>

#include <gtest/gtest.h>

#include <utility>

namespace {

// Fold headers and the depth at the end, counted the plain way: from the
// first word of each line that is no continuation and lies outside a
// "/* */" comment. An "!else" heads a fold unless the line above does.
struct BlockCounts {
    int headers = 0;
    int depth = 0;
};

BlockCounts CountBlocks(const QByteArray& text) {
    static const QSet<QByteArray> opens = {"section", "sectiongroup", "subsection",  "function",
                                           "pageex",  "!macro",       "!if",         "!ifdef",
                                           "!ifndef", "!ifmacrodef",  "!ifmacrondef"};
    static const QSet<QByteArray> closes = {"sectionend", "sectiongroupend", "subsectionend", "functionend",
                                            "pageexend",  "!macroend",       "!endif"};
    BlockCounts counts;
    bool inBox = false;
    bool continued = false;
    bool aboveHeads = false;
    for (QByteArray line : text.split('\n')) {
        line = line.simplified();
        const bool wasContinued = std::exchange(continued, line.endsWith('\\'));
        const bool heads = std::exchange(aboveHeads, false);
        if (inBox) {
            inBox = !line.contains("*/");
            counts.depth -= !inBox;
            continue;
        }
        if (wasContinued)
            continue;
        if (line.startsWith("/*") && !line.contains("*/")) {
            inBox = aboveHeads = true;
            ++counts.depth;
            ++counts.headers;
            continue;
        }
        const QByteArray word = line.split(' ').front().toLower();
        if (opens.contains(word) || (word == "!else" && !heads)) {
            counts.depth += opens.contains(word);
            aboveHeads = true;
        } else if (closes.contains(word)) {
            counts.depth = std::max(0, counts.depth - 1);
        }
        counts.headers += aboveHeads;
    }
    return counts;
}

}  // namespace

TEST(NsisInstalledFiles, AreStyledAndFoldLikeTheirBlocks) {
    const QString folder = NsisDir();
    ASSERT_FALSE(folder.isEmpty()) << "makensis -HDRINFO names no NSISDIR";
    const NsisKeywords keywords;
    int files = 0;
    int balanced = 0;
    QDirIterator it(folder, {QStringLiteral("*.nsi"), QStringLiteral("*.nsh")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        const QByteArray text = file.readAll();
        const NsisLexResult result =
            LexNsis(std::string_view(text.constData(), std::size_t(text.size())), {}, keywords);
        ++files;

        ASSERT_EQ(result.styles.size(), std::size_t(text.size())) << path.toStdString();
        ASSERT_FALSE(result.lineEndStates.empty()) << path.toStdString();
        const BlockCounts counts = CountBlocks(text);
        // Balanced files end at the base; a few open a function in two branches of one "!if".
        EXPECT_EQ(result.lineEndStates.back().foldLevel, kFoldLevelBase + counts.depth) << path.toStdString();
        const auto headers = std::count_if(result.foldLevels.begin(), result.foldLevels.end(),
                                           [](int level) { return (level & kFoldLevelHeaderFlag) != 0; });
        EXPECT_EQ(headers, counts.headers) << path.toStdString();
        balanced += counts.depth == 0;
    }
    EXPECT_GT(files, 50);
    EXPECT_GE(balanced, files - 2);
}
