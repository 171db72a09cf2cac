// TextDocument against real files: round trips, failures that must lose nothing, encoding changes, external changes.
#include "editor/core/text_document.h"

#include "support/scripted_prompter.h"
#include "support/test_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QDateTime>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A lone high surrogate, then an emoji as a surrogate pair; in the editor the
// lone surrogate keeps its three-byte form (which QString::toUtf8 would lose).
const QString kUcs2Text = QStringLiteral("; 安装程序\r\nName \"x\"\r\n") + QChar(0xD800) + QStringLiteral("a😀\r\n");
const QByteArray kUcs2Utf8 =
    QStringLiteral("; 安装程序\r\nName \"x\"\r\n").toUtf8() + "\xED\xA0\x80" + QStringLiteral("a😀\r\n").toUtf8();

const QString kAppCaption = QStringLiteral("Korvane安装");
const QString kEncodingCaption = QStringLiteral("编码格式");

const QString kNotAFile = QStringLiteral("不是普通文件");

// The system's own words for an error number, as the message's second line gives them.
QString SystemText(int code) { return QString::fromLocal8Bit(std::strerror(code)); }

PromptMessage Failed(const char* what, const QString& path, const QString& reason) {
    return {QString::fromUtf8(what).arg(path) + u'\n' + reason, kAppCaption, PromptIcon::Error, PromptButtons::Ok};
}

class TextDocumentTest : public ::testing::Test {
protected:
    QString PathOf(const QString& name) const { return m_dir.filePath(name); }

    QString Write(const QString& name, const QByteArray& bytes) const {
        EXPECT_TRUE(WriteBytes(PathOf(name), bytes));
        return PathOf(name);
    }

    QString Load(const QString& name, const QByteArray& bytes) {
        const QString path = Write(name, bytes);
        QByteArray text;
        EXPECT_TRUE(m_document.LoadFile(path, false, text));
        return path;
    }

    QString LoadModified(const QString& name, const QByteArray& bytes) {
        const QString path = Load(name, bytes);
        m_document.SetModified(true);
        return path;
    }

    // A save of a large new text to target (the document's own path when
    // empty) must fail, say so, and leave the document and its file as they were.
    void ExpectFailedSave(const QString& original, const QByteArray& originalBytes, const QString& reason,
                          const QString& target = {}) {
        m_prompter.ClearRecord();
        EXPECT_FALSE(m_document.SaveFile(QByteArray(200 * 1024, 'b'), target));
        EXPECT_EQ(ReadBytes(original), originalBytes);
        EXPECT_EQ(m_document.Path(), original);
        EXPECT_TRUE(m_document.IsModified());
        EXPECT_EQ(
            m_prompter.Messages(),
            std::vector<PromptMessage>{Failed("保存文件[%1]失败！", target.isEmpty() ? original : target, reason)});
        // No temporary file left behind.
        const QFileInfo info(original);
        EXPECT_EQ(info.dir().entryList(QDir::Files), QStringList{info.fileName()});
    }

    QTemporaryDir m_dir;
    ScriptedPrompter m_prompter;
    TextDocument m_document{m_prompter};
};

// A small tmpfs of our own, to make a full disk or a read-only folder that
// even root cannot write. Tests skip when the machine does not allow mounting.
class TmpfsMount {
public:
    TmpfsMount(const QString& folder, const char* size) : m_folder(QFile::encodeName(folder)) {
        QDir().mkpath(folder);
        m_mounted = ::mount("tmpfs", m_folder.constData(), "tmpfs", 0, size) == 0;
    }
    ~TmpfsMount() {
        if (m_mounted)
            ::umount2(m_folder.constData(), MNT_DETACH);
    }
    bool Mounted() const { return m_mounted; }
    bool MakeReadOnly() {
        return ::mount("tmpfs", m_folder.constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }

private:
    QByteArray m_folder;
    bool m_mounted = false;
};

}  // namespace

TEST_F(TextDocumentTest, EveryEncodingRoundTripsByteForByte) {
    struct Case {
        const char* name;
        QByteArray bytes;
        TextEncoding encoding;
        QByteArray text;
        QByteArray saved = {};  // when not the bytes read
    };
    const QByteArray utf8Text = QStringLiteral("; 中文注释 😀\r\nName x\r\n").toUtf8();
    const QByteArray ascii = "Name \"x\"\r\nOutFile x.exe\r\n";
    const std::vector<Case> cases = {
        {"le-mark", "\xFF\xFE" + Utf16(kUcs2Text, false), TextEncoding::Ucs2LittleEndian, kUcs2Utf8},
        {"be-mark", "\xFE\xFF" + Utf16(kUcs2Text, true), TextEncoding::Ucs2BigEndian, kUcs2Utf8},
        {"le-bare", Utf16(QStringLiteral("Name x\r\n") + QChar(0xDC00) + QStringLiteral("Section\r\n"), false),
         TextEncoding::Ucs2LittleEndianNoBom, "Name x\r\n\xED\xB0\x80Section\r\n"},
        {"be-bare", Utf16(QStringLiteral("Name x\r\n; 中文\r\n"), true), TextEncoding::Ucs2BigEndianNoBom,
         QStringLiteral("Name x\r\n; 中文\r\n").toUtf8()},
        {"gbk", "; \xb0\xb2\xd7\xb0\xb3\xcc\xd0\xf2\r\nName \xd6\xd0\xce\xc4\r\n", TextEncoding::Ansi,
         QStringLiteral("; 安装程序\r\nName 中文\r\n").toUtf8()},
        {"ansi-zero", QByteArray("Name \xd6\xd0\0after the zero\r\n", 23), TextEncoding::Ansi,
         QByteArray("Name \xe4\xb8\xad\0after the zero\r\n", 24)},
        {"utf8-bare", utf8Text, TextEncoding::Utf8NoBom, utf8Text},
        {"utf8-mark", "\xEF\xBB\xBF" + utf8Text, TextEncoding::Utf8, utf8Text},
        {"ascii", ascii, TextEncoding::SevenBit, ascii},
        {"cut-c3", "Name x\xC3", TextEncoding::Utf8NoBom, "Name x\xC3"},
        {"empty", {}, TextEncoding::SevenBit, ""},
        {"mark-only", "\xEF\xBB\xBF", TextEncoding::Utf8, ""},
        // The odd last byte is carried as U+DBFF U+DC00+byte and written back.
        {"odd-byte",
         QByteArray("\xFF\xFE"
                    "A\0B",
                    5),
         TextEncoding::Ucs2LittleEndian, "A\xED\xAF\xBF\xED\xB1\x82"},
        {"odd-byte-be", QByteArray("\xFE\xFF\0A\xD8", 5), TextEncoding::Ucs2BigEndian, "A\xED\xAF\xBF\xED\xB3\x98"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = Write(c.name, c.bytes);
        QByteArray text("stale");
        ASSERT_TRUE(m_document.LoadFile(path, false, text));
        EXPECT_EQ(m_document.Encoding(), c.encoding);
        EXPECT_EQ(text, c.text);
        EXPECT_EQ(m_document.Path(), path);
        EXPECT_FALSE(m_document.IsModified());
        EXPECT_TRUE(m_document.HasStamp());
        m_document.SetModified(true);
        ASSERT_TRUE(m_document.SaveFile(text));
        EXPECT_EQ(ReadBytes(path), c.saved.isNull() ? c.bytes : c.saved);
        EXPECT_FALSE(m_document.IsModified());
    }
    EXPECT_TRUE(m_prompter.Messages().empty());
}

TEST_F(TextDocumentTest, UntitledDocumentIsUcs2LittleEndianNeedsAPathAndChangesEncodingSilently) {
    EXPECT_EQ(m_document.Encoding(), TextEncoding::Ucs2LittleEndian);
    EXPECT_FALSE(m_document.HasPath());
    EXPECT_FALSE(m_document.SaveFile("x"));
    const QString path = PathOf("new.nsi");
    ASSERT_TRUE(m_document.SaveFile(";\r\n", path));
    EXPECT_EQ(ReadBytes(path), QByteArray("\xFF\xFE;\0\r\0\n\0", 8));
    EXPECT_EQ(m_document.Path(), path);
    EXPECT_TRUE(m_document.HasStamp());

    TextDocument other(m_prompter);
    EXPECT_EQ(other.SetEncoding(TextEncoding::Ucs2LittleEndian, "x"), EncodingChange::None);
    EXPECT_EQ(other.SetEncoding(TextEncoding::Utf8NoBom, "x"), EncodingChange::Adopted);
    EXPECT_EQ(other.Encoding(), TextEncoding::Utf8NoBom);
    ASSERT_TRUE(other.SaveFile("中", PathOf("u.nsi")));
    EXPECT_EQ(ReadBytes(PathOf("u.nsi")), "中");
    EXPECT_TRUE(m_prompter.Messages().empty());
}

TEST_F(TextDocumentTest, TemplateLoadStaysUntitledAndModified) {
    const QString path = Write("template.nsi", "\xEF\xBB\xBF; x\r\n");
    QByteArray text;
    ASSERT_TRUE(m_document.LoadFile(path, true, text));
    EXPECT_EQ(text, "; x\r\n");
    EXPECT_EQ(m_document.Encoding(), TextEncoding::Utf8);
    EXPECT_FALSE(m_document.HasPath());
    EXPECT_TRUE(m_document.IsModified());
    EXPECT_FALSE(m_document.HasStamp());
    EXPECT_EQ(m_document.AskAboutExternalChange(), ExternalChange::None);
}

TEST_F(TextDocumentTest, UnreadableFilesAreReportedAndChangeNothing) {
    const QString good = Load("good.nsi", "Name x\r\n");
    QByteArray text;
    const QString fifo = PathOf("fifo");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const std::pair<QString, QString> cases[] = {
        {PathOf("missing.nsi"), SystemText(ENOENT)},
        {PathOf("good.nsi/a.nsi"), SystemText(ENOTDIR)},
        {m_dir.path(), kNotAFile},
        {fifo, kNotAFile},
    };
    for (const auto& [path, reason] : cases) {
        m_prompter.ClearRecord();
        text = "kept";
        EXPECT_FALSE(m_document.LoadFile(path, false, text));
        EXPECT_EQ(text, "kept");
        EXPECT_EQ(m_prompter.Messages(), std::vector<PromptMessage>{Failed("打开文件[%1]失败！", path, reason)});
        EXPECT_EQ(m_document.Path(), good);
    }
}

TEST_F(TextDocumentTest, SaveKeepsPermissionsAndSymlinks) {
    const QString target = Write("real.nsi", "Name x\r\n");
    ASSERT_EQ(::chmod(QFile::encodeName(target).constData(), 0640), 0);
    const QString link = PathOf("link.nsi");
    ASSERT_TRUE(QFile::link(target, link));
    QByteArray text;
    ASSERT_TRUE(m_document.LoadFile(link, false, text));
    ASSERT_TRUE(m_document.SaveFile("Name y\r\n"));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), target);
    EXPECT_EQ(ReadBytes(target), "Name y\r\n");
    EXPECT_EQ(UnixMode(target), 0640u);
    EXPECT_TRUE(m_prompter.Messages().empty());
}

TEST_F(TextDocumentTest, FailedSavesLeaveTheFileAndTheModifiedFlag) {
    const QString original = LoadModified("a.nsi", "Name old\r\n");
    // Save As onto a folder, and into a folder that does not exist.
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("folder.nsi"));
    // Qt's own words: no system call failed.
    ExpectFailedSave(original, "Name old\r\n", QStringLiteral("Filename refers to a directory"), PathOf("folder.nsi"));
    EXPECT_TRUE(QFileInfo(PathOf("folder.nsi")).isDir());
    ExpectFailedSave(original, "Name old\r\n", SystemText(ENOENT), PathOf("gone/a.nsi"));
}

TEST_F(TextDocumentTest, FailedSaveInReadOnlyFolder) {
    const QString folder = PathOf("ro");
    std::unique_ptr<TmpfsMount> mount;
    if (::geteuid() == 0) {
        // Permissions do not stop root; a read-only mount does.
        mount = std::make_unique<TmpfsMount>(folder, "size=64k");
        if (!mount->Mounted())
            GTEST_SKIP() << "cannot mount a tmpfs here";
    } else {
        ASSERT_TRUE(QDir().mkpath(folder));
    }
    const QString path = LoadModified("ro/a.nsi", "Name old\r\n");
    if (mount)
        ASSERT_TRUE(mount->MakeReadOnly());
    else
        ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), 0555), 0);
    ExpectFailedSave(path, "Name old\r\n", SystemText(mount ? EROFS : EACCES));
    if (!mount)
        ::chmod(QFile::encodeName(folder).constData(), 0755);
}

TEST_F(TextDocumentTest, FailedSaveOnFullDisk) {
    TmpfsMount mount(PathOf("small"), "size=64k");
    if (!mount.Mounted())
        GTEST_SKIP() << "cannot mount a tmpfs here";
    const QString path = LoadModified("small/a.nsi", QByteArray(20 * 1024, 'a'));
    ExpectFailedSave(path, QByteArray(20 * 1024, 'a'), SystemText(ENOSPC));
}

TEST_F(TextDocumentTest, EverySaveThatWouldLoseBytesAsks) {
    struct Case {
        const char* name;
        QByteArray bytes;  // the file, which fixes the encoding
        QByteArray text;   // what the editor then saves
        QString question;
        QByteArray written;  // on Yes
    };
    const QString ansiQuestion =
        QStringLiteral("当前脚本包含无法用 ANSI 编码保存的字符，这些字符将变为“?”。是否继续保存？");
    const QByteArray tag = QString::fromUcs4(U"\U000E0041").toUtf8();
    const std::vector<Case> cases = {
        {"ansi-emoji", "; \xd6\xd0\xce\xc4\r\n", QStringLiteral("; 中文\r\n; 😀\r\n").toUtf8(), ansiQuestion,
         "; \xd6\xd0\xce\xc4\r\n; ?\r\n"},
        // glibc's CP936 would drop tag characters without a word.
        {"ansi-tag", "; \xd6\xd0\r\n", QStringLiteral("; 中").toUtf8() + tag + "\r\n", ansiQuestion, "; \xd6\xd0?\r\n"},
        // A UTF-8 file may hold bytes that are not UTF-8; UCS-2 cannot carry them.
        {"ucs2-broken-utf8", "\xFF\xFE" + Utf16("x", false),
         "a\xFF"
         "b",
         QStringLiteral(
             "当前脚本包含无法用 UCS-2 Little Endian 编码保存的字节，这些字节将变为“\uFFFD”。是否继续保存？"),
         "\xFF\xFE" + Utf16(QStringLiteral("a\uFFFDb"), false)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = LoadModified(c.name, c.bytes);
        m_prompter.ClearRecord();
        m_prompter.QueueAnswer(PromptAnswer::No);
        EXPECT_FALSE(m_document.SaveFile(c.text));
        EXPECT_EQ(ReadBytes(path), c.bytes);
        EXPECT_TRUE(m_document.IsModified());
        EXPECT_EQ(
            m_prompter.Messages(),
            (std::vector<PromptMessage>{{c.question, kEncodingCaption, PromptIcon::Warning, PromptButtons::YesNo}}));
        m_prompter.QueueAnswer(PromptAnswer::Yes);
        EXPECT_TRUE(m_document.SaveFile(c.text));
        EXPECT_EQ(ReadBytes(path), c.written);
        EXPECT_FALSE(m_document.IsModified());
    }
}

TEST_F(TextDocumentTest, AnOddUcs2ByteSurvivesAConversionToUtf8AndBack) {
    const QByteArray odd(
        "\xFF\xFE"
        "N\0a\0\xC3",
        7);
    const QString path = Write("odd.nsi", odd);
    QByteArray text;
    ASSERT_TRUE(m_document.LoadFile(path, false, text));
    m_prompter.QueueAnswer(PromptAnswer::Yes);
    ASSERT_EQ(m_document.SetEncoding(TextEncoding::Utf8, text), EncodingChange::Saved);
    QByteArray reread;
    ASSERT_TRUE(m_document.LoadFile(path, false, reread));
    EXPECT_EQ(m_document.Encoding(), TextEncoding::Utf8);
    EXPECT_EQ(reread, text);
    m_prompter.QueueAnswer(PromptAnswer::Yes);
    ASSERT_EQ(m_document.SetEncoding(TextEncoding::Ucs2LittleEndian, reread), EncodingChange::Saved);
    EXPECT_EQ(ReadBytes(path), odd);
}

TEST_F(TextDocumentTest, SetEncodingOnSavedDocumentAsksAndSavesAtOnce) {
    const QString path = Load("a.nsi", "Name x\r\n");
    const QByteArray edited = "Name y\r\n";

    m_prompter.QueueAnswer(PromptAnswer::No);
    EXPECT_EQ(m_document.SetEncoding(TextEncoding::Ucs2BigEndian, edited), EncodingChange::None);
    EXPECT_EQ(m_document.Encoding(), TextEncoding::SevenBit);
    EXPECT_EQ(ReadBytes(path), "Name x\r\n");
    EXPECT_EQ(m_prompter.Messages(),
              (std::vector<PromptMessage>{
                  {QStringLiteral("当前脚本编码格式为 ANSI，确认要转化为 UCS-2 Big Endian 编码格式吗？"),
                   kEncodingCaption, PromptIcon::Warning, PromptButtons::YesNo}}));

    m_prompter.QueueAnswer(PromptAnswer::Yes);
    EXPECT_EQ(m_document.SetEncoding(TextEncoding::Ucs2BigEndian, edited), EncodingChange::Saved);
    EXPECT_EQ(m_document.Encoding(), TextEncoding::Ucs2BigEndian);
    EXPECT_EQ(ReadBytes(path), "\xFE\xFF" + Utf16("Name y\r\n", true));
    EXPECT_EQ(m_prompter.Messages().size(), 2u);
}

TEST_F(TextDocumentTest, SetEncodingKeepsTheOldValueWhenTheSaveFails) {
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("sub"));
    const QString path = Load("sub/a.nsi", "Name x\r\n");
    ASSERT_TRUE(QDir(PathOf("sub")).removeRecursively());

    m_prompter.QueueAnswer(PromptAnswer::Yes);
    EXPECT_EQ(m_document.SetEncoding(TextEncoding::Utf8, "Name x\r\n"), EncodingChange::None);
    EXPECT_EQ(m_document.Encoding(), TextEncoding::SevenBit);
    ASSERT_EQ(m_prompter.Messages().size(), 2u);
    EXPECT_EQ(m_prompter.Messages()[1], Failed("保存文件[%1]失败！", path, SystemText(ENOENT)));
}

TEST_F(TextDocumentTest, ExternalChangeWithinOneSecondIsSeen) {
    const QString path = Load("a.nsi", "Name aaaa\r\n");
    EXPECT_EQ(m_document.AskAboutExternalChange(), ExternalChange::None);
    EXPECT_TRUE(m_prompter.Messages().empty());

    // Same size, a few milliseconds later: only the fine time tells.
    const QDateTime loaded = QFileInfo(path).fileTime(QFileDevice::FileModificationTime);
    Write("a.nsi", "Name bbbb\r\n");
    QFile touched(path);
    ASSERT_TRUE(touched.open(QIODevice::ReadWrite));
    ASSERT_TRUE(touched.setFileTime(loaded.addMSecs(20), QFileDevice::FileModificationTime));
    touched.close();
    m_prompter.QueueAnswer(PromptAnswer::Yes);
    EXPECT_EQ(m_document.AskAboutExternalChange(), ExternalChange::ReloadWanted);
    QByteArray reloaded;
    ASSERT_TRUE(m_document.LoadFile(path, false, reloaded));
    EXPECT_EQ(reloaded, "Name bbbb\r\n");
    EXPECT_FALSE(m_document.IsModified());
    EXPECT_EQ(
        m_prompter.Messages(),
        (std::vector<PromptMessage>{{QStringLiteral("%1\n\n该文件已被其他程序修改，您是否要重新加载文件？").arg(path),
                                     kAppCaption, PromptIcon::Question, PromptButtons::YesNo}}));
    EXPECT_EQ(m_document.AskAboutExternalChange(), ExternalChange::None);

    // Our own save is no external change.
    ASSERT_TRUE(m_document.SaveFile("Name changed by us\r\n"));
    EXPECT_EQ(m_document.AskAboutExternalChange(), ExternalChange::None);
    EXPECT_EQ(m_prompter.Messages().size(), 1u);
}

TEST_F(TextDocumentTest, ExternalChangeThatRestoresTheTimeIsSeenBySize) {
    const QString path = Load("a.nsi", "Name a\r\n");
    struct stat before {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &before), 0);
    Write("a.nsi", "Name longer\r\n");
    const struct timespec times[2] = {before.st_atim, before.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);

    m_prompter.QueueAnswer(PromptAnswer::No);
    EXPECT_EQ(m_document.AskAboutExternalChange(), ExternalChange::ChangedKept);
    EXPECT_TRUE(m_document.IsModified());
    // The new state is recorded, so the question is not repeated.
    EXPECT_EQ(m_document.AskAboutExternalChange(), ExternalChange::None);

    // A time moved by one nanosecond within the same second.
    struct timespec shifted[2] = {before.st_atim, before.st_mtim};
    shifted[1].tv_nsec = (shifted[1].tv_nsec + 1) % 1'000'000'000;
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), shifted, 0), 0);
    EXPECT_EQ(m_document.AskAboutExternalChange(), ExternalChange::ChangedKept);
    EXPECT_EQ(m_prompter.Messages().size(), 2u);
}

TEST_F(TextDocumentTest, DeletedFileIsReported) {
    const QString path = Load("a.nsi", "Name a\r\n");
    QByteArray text;
    ASSERT_TRUE(QFile::remove(path));

    m_prompter.QueueAnswer(PromptAnswer::Yes);
    EXPECT_EQ(m_document.AskAboutExternalChange(), ExternalChange::MissingKept);
    EXPECT_TRUE(m_document.IsModified());
    EXPECT_FALSE(m_document.HasStamp());
    EXPECT_EQ(
        m_prompter.Messages(),
        (std::vector<PromptMessage>{{QStringLiteral("%1\n\n该文件已不存在，您是否要在编辑器中保留此文件？").arg(path),
                                     kAppCaption, PromptIcon::Question, PromptButtons::YesNo}}));
    // Asked once; the next check has no stamp to compare.
    EXPECT_EQ(m_document.AskAboutExternalChange(), ExternalChange::None);

    // Saved again, deleted again, and this time the user lets it go.
    ASSERT_TRUE(m_document.SaveFile(text));
    ASSERT_TRUE(QFile::remove(path));
    m_prompter.QueueAnswer(PromptAnswer::No);
    EXPECT_EQ(m_document.AskAboutExternalChange(), ExternalChange::CloseTab);
}

TEST_F(TextDocumentTest, FailedReloadKeepsTheText) {
    const QString path = Load("a.nsi", "Name a\r\n");
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("a.nsi"));  // replaced by something that cannot be read

    m_prompter.QueueAnswer(PromptAnswer::Yes);
    EXPECT_EQ(m_document.AskAboutExternalChange(), ExternalChange::ReloadWanted);
    QByteArray reloaded("untouched");
    EXPECT_FALSE(m_document.LoadFile(path, false, reloaded));
    EXPECT_EQ(reloaded, "untouched");
    EXPECT_EQ(m_document.Path(), path);
    ASSERT_EQ(m_prompter.Messages().size(), 2u);
    EXPECT_EQ(m_prompter.Messages()[1], Failed("打开文件[%1]失败！", path, kNotAFile));
}
