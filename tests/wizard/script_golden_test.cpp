// Whole generated scripts compared with reviewed expected files.
#include "wizard/core/script_generator.h"
#include "wizard_cases.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {
QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The expected files name the test data folder "@DATA@" so that they hold no machine's path.
QByteArray Portable(const QString& script) {
    QString text = script;
    text.replace(wizard_cases::DataDir(), QStringLiteral("@DATA@"));
    return text.toUtf8();
}

class GoldenScript : public ::testing::TestWithParam<wizard_cases::Case> {};
}  // namespace

TEST_P(GoldenScript, MatchesReviewedText) {
    const wizard_cases::Case& c = GetParam();
    const QByteArray actual = Portable(GenerateScript(c.make()));
    const QByteArray expected = ReadFile(wizard_cases::DataDir() + "/" + c.name + ".nsi");
    if (actual != expected) {
        // Left beside the build for a diff against the expected file.
        QFile out(QStringLiteral(SCRIVO_BINARY_DIR "/") + c.name + ".actual.nsi");
        if (out.open(QIODevice::WriteOnly))
            out.write(actual);
    }
    ASSERT_FALSE(expected.isEmpty()) << "missing expected file for " << c.name;
    EXPECT_EQ(actual, expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Cases, GoldenScript, ::testing::ValuesIn(wizard_cases::All()),
                         [](const auto& info) { return std::string(info.param.name); });
