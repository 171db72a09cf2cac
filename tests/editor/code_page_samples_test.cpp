// The sample scripts in every encoding: detected, read and written back byte for byte, and one edit changes one byte.
#include "editor/core/text_document.h"

#include "support/scripted_prompter.h"
#include "support/test_files.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct Sample {
    const char* file;
    TextEncoding encoding;
    CodePage page;
};

const Sample kSamples[] = {
    {"latin1_copyright.nsi", TextEncoding::Ansi, CodePage::Windows1252},
    {"cp1251_comments.nsi", TextEncoding::Ansi, CodePage::Windows1251},
    {"shift_jis_strings.nsi", TextEncoding::Ansi, CodePage::ShiftJis},
    // Big5 pairs are well formed GBK, which keeps its place as the default.
    {"big5_strings.nsi", TextEncoding::Ansi, CodePage::Cp936},
    {"gbk_chinese.nsi", TextEncoding::Ansi, CodePage::Cp936},
    {"gb18030_four_byte.nsi", TextEncoding::Ansi, CodePage::Gb18030},
    {"gbk_half_character.nsi", TextEncoding::Ansi, CodePage::Cp936},
    {"nul_bytes.nsi", TextEncoding::Ansi, CodePage::Cp936},
    {"utf8_bom.nsi", TextEncoding::Utf8, CodePage::Cp936},
    {"utf8_no_bom.nsi", TextEncoding::Utf8NoBom, CodePage::Cp936},
    {"utf16le_bom.nsi", TextEncoding::Ucs2LittleEndian, CodePage::Cp936},
    {"utf16be_bom.nsi", TextEncoding::Ucs2BigEndian, CodePage::Cp936},
};

QString SamplePath(const char* file) { return QStringLiteral(SCRIVO_TEST_DATA "/editor/encodings/") + file; }

class CodePageSamples : public ::testing::TestWithParam<Sample> {
protected:
    QByteArray Load() {
        QByteArray text;
        EXPECT_TRUE(m_document.LoadFile(SamplePath(GetParam().file), false, text));
        return text;
    }

    QByteArray SaveCopy(const QByteArray& text) {
        const QString copy = m_dir.filePath(QStringLiteral("copy.nsi"));
        EXPECT_TRUE(m_document.SaveFile(text, copy));
        return ReadBytes(copy);
    }

    QTemporaryDir m_dir;
    ScriptedPrompter m_prompter;
    TextDocument m_document{m_prompter};
};

}  // namespace

TEST_P(CodePageSamples, IsDetectedAndWrittenBackByteForByte) {
    const QByteArray text = Load();
    EXPECT_EQ(m_document.Encoding(), GetParam().encoding);
    EXPECT_EQ(m_document.Page(), GetParam().page);
    EXPECT_EQ(SaveCopy(text), ReadBytes(SamplePath(GetParam().file)));
    EXPECT_TRUE(m_prompter.Messages().empty());
}

TEST_P(CodePageSamples, OneEditedCharacterChangesOnlyItsOwnByte) {
    QByteArray text = Load();
    const qsizetype marker = text.indexOf("EDITME");
    ASSERT_GE(marker, 0);
    text[marker + 4] = 'N';
    const QByteArray original = ReadBytes(SamplePath(GetParam().file));
    const QByteArray saved = SaveCopy(text);
    ASSERT_EQ(saved.size(), original.size());
    int differing = 0;
    for (qsizetype i = 0; i < saved.size(); ++i)
        differing += saved[i] != original[i];
    EXPECT_EQ(differing, 1);
}

INSTANTIATE_TEST_SUITE_P(Samples, CodePageSamples, ::testing::ValuesIn(kSamples), [](const auto& info) {
    return QString::fromLatin1(info.param.file).section(u'.', 0, 0).toStdString();
});

TEST(CodePageChoice, TheSameFileReadAgainKeepsTheChosenCodePage) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("russian.nsi"));
    ASSERT_TRUE(QFile::copy(SamplePath("cp1251_comments.nsi"), path));
    ScriptedPrompter prompter;
    TextDocument document(prompter);
    QByteArray text;
    ASSERT_TRUE(document.LoadFile(path, false, text));
    ASSERT_TRUE(document.AskToReopen(CodePage::Koi8R));
    ASSERT_TRUE(document.LoadFile(path, false, text, CodePage::Koi8R));
    EXPECT_EQ(document.Page(), CodePage::Koi8R);
    ASSERT_TRUE(document.LoadFile(path, false, text));
    EXPECT_EQ(document.Page(), CodePage::Koi8R);
    // Another file is detected afresh.
    ASSERT_TRUE(document.LoadFile(SamplePath("latin1_copyright.nsi"), false, text));
    EXPECT_EQ(document.Page(), CodePage::Windows1252);
}
