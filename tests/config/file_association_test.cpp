// Registering the file association into a temporary XDG home, checked with the desktop's own tools.
#include "config/core/file_association.h"
#include "support/run_tool.h"
#include "support/test_files.h"

#include <QDir>
#include <QFile>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QString kResources = QStringLiteral(SCRIVO_RESOURCES);

// A program to register: an executable file, with a blank in its path.
class Association : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_request.executable = m_dir.filePath(u"my apps/scrivo"_s);
        ASSERT_TRUE(QDir().mkpath(m_dir.filePath(u"my apps"_s)));
        ASSERT_TRUE(WriteExecutable(m_request.executable, "#!/bin/sh\n"));
        m_request.dataHome = m_dir.filePath(u"data"_s);
        m_request.configHome = m_dir.filePath(u"config"_s);
        m_request.mimePackage = ReadBytes(kResources + u"/desktop/scrivo-nsis.xml"_s);
        m_request.desktopEntry = ReadBytes(kResources + u"/desktop/scrivo.desktop"_s);
        m_request.icons = {{u"48x48/apps/scrivo.png"_s, ReadBytes(kResources + u"/icons/scrivo-48.png"_s)},
                           {u"scalable/apps/scrivo.svg"_s, ReadBytes(kResources + u"/icons/scrivo.svg"_s)}};
    }

    QString Data(const QString& path) const { return QDir(m_request.dataHome).filePath(path); }
    QString MimeApps() const { return QDir(m_request.configHome).filePath(u"mimeapps.list"_s); }

    // A desktop tool run against the temporary XDG home only.
    ToolRun Run(const QString& program, const QStringList& arguments) const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"XDG_DATA_HOME"_s, m_request.dataHome);
        env.insert(u"XDG_CONFIG_HOME"_s, m_request.configHome);
        env.insert(u"XDG_DATA_DIRS"_s, u"/usr/share"_s);
        env.remove(u"XDG_CURRENT_DESKTOP"_s);
        ToolRun run = RunTool(program, arguments, {.environment = env});
        run.output = run.output.trimmed();
        return run;
    }

    QTemporaryDir m_dir;
    AssociationRequest m_request;
};

}  // namespace

TEST(ExecArgumentTest, QuotesAndEscapesEveryPath) {
    const std::pair<QString, QString> cases[] = {
        {u"/usr/bin/scrivo"_s, u"\"/usr/bin/scrivo\""_s},
        {u"/opt/my apps/scrivo"_s, u"\"/opt/my apps/scrivo\""_s},
        // A quote, a dollar and a backquote get a backslash; each backslash then doubles in the file.
        {u"/a\"b$c`d"_s, u"\"/a\\\\\"b\\\\$c\\\\`d\""_s},
        {u"/a\\b"_s, u"\"/a\\\\\\\\b\""_s},
        {u"/100%/scrivo"_s, u"\"/100%%/scrivo\""_s},
        {u"/中文/编辑器"_s, u"\"/中文/编辑器\""_s},
    };
    for (const auto& [path, quoted] : cases)
        EXPECT_EQ(ExecArgument(path), quoted) << path.toStdString();
}

TEST(DefaultApplicationTest, SetsTheDefaultAndKeepsEverythingElse) {
    const QByteArray mime = "text/x-nsis", id = "scrivo.desktop";
    const std::pair<QByteArray, QByteArray> cases[] = {
        {"", "[Default Applications]\ntext/x-nsis=scrivo.desktop\n"},
        {"[Added Associations]\ntext/plain=gedit.desktop;\n",
         "[Added Associations]\ntext/plain=gedit.desktop;\n\n[Default Applications]\ntext/x-nsis=scrivo.desktop\n"},
        {"[Default Applications]\ntext/plain=gedit.desktop\n\n[Added Associations]\nimage/png=eog.desktop;\n",
         "[Default Applications]\ntext/plain=gedit.desktop\ntext/x-nsis=scrivo.desktop\n\n[Added Associations]\n"
         "image/png=eog.desktop;\n"},
        // An earlier choice is replaced, also when written with blanks; the same key elsewhere stays.
        {"[Added Associations]\ntext/x-nsis=other.desktop;\n[Default Applications]\ntext/x-nsis = other.desktop\n",
         "[Added Associations]\ntext/x-nsis=other.desktop;\n[Default Applications]\ntext/x-nsis=scrivo.desktop\n"},
        {"# mine\n[Default Applications]", "# mine\n[Default Applications]\ntext/x-nsis=scrivo.desktop\n"},
        // Bytes that are no UTF-8 stay as they were.
        {"# caf\xe9 \xff\xfe\n[Default Applications]\r\nx/y=\x80.desktop\r\n",
         "# caf\xe9 \xff\xfe\n[Default Applications]\r\nx/y=\x80.desktop\r\ntext/x-nsis=scrivo.desktop\n"},
    };
    for (const auto& [before, after] : cases) {
        EXPECT_EQ(WithDefaultApplication(before, mime, id), after) << before.toStdString();
        EXPECT_EQ(WithDefaultApplication(after, mime, id), after) << "twice: " << before.toStdString();
        EXPECT_EQ(DefaultApplicationIn(after, mime), id) << after.toStdString();
    }
    EXPECT_EQ(DefaultApplicationIn("[Default Applications]\ntext/x-nsis= a.desktop;b.desktop;\n", mime), "a.desktop");
    EXPECT_EQ(DefaultApplicationIn("[Added Associations]\ntext/x-nsis=a.desktop;\n", mime), "");
}

TEST_F(Association, ADesktopsOwnListThatNamesAnotherDefaultIsReported) {
    ASSERT_TRUE(QDir().mkpath(m_request.configHome));
    const QString own = QDir(m_request.configHome).filePath(u"testde-mimeapps.list"_s);
    ASSERT_TRUE(WriteBytes(own, "[Default Applications]\ntext/x-nsis=other.desktop;\n"));
    m_request.desktops = {u"testde"_s};
    AssociationResult result = RegisterFileAssociation(m_request);
    EXPECT_TRUE(result.Succeeded());
    EXPECT_EQ(result.overriddenBy, own);
    EXPECT_EQ(result.otherDefault, "other.desktop");
    // Naming this program, or no desktop list at all, is no obstacle.
    ASSERT_TRUE(WriteBytes(own, "[Default Applications]\ntext/x-nsis=scrivo.desktop\n"));
    EXPECT_TRUE(RegisterFileAssociation(m_request).overriddenBy.isEmpty());
    m_request.desktops.clear();
    ASSERT_TRUE(WriteBytes(own, "[Default Applications]\ntext/x-nsis=other.desktop;\n"));
    EXPECT_TRUE(RegisterFileAssociation(m_request).overriddenBy.isEmpty());
}

TEST_F(Association, RegistersTypeEntryDefaultAndCachesThatTheDesktopToolsRead) {
    ASSERT_TRUE(QDir().mkpath(m_request.configHome));
    ASSERT_TRUE(WriteBytes(MimeApps(), "[Added Associations]\ntext/plain=gedit.desktop;\n"));
    const AssociationResult result = RegisterFileAssociation(m_request);
    EXPECT_TRUE(result.Succeeded());

    EXPECT_EQ(ReadBytes(Data(u"mime/packages/scrivo.xml"_s)), m_request.mimePackage);
    EXPECT_EQ(ReadBytes(Data(u"icons/hicolor/48x48/apps/scrivo.png"_s)), m_request.icons[0].second);
    EXPECT_TRUE(QFile::exists(Data(u"icons/hicolor/scalable/apps/scrivo.svg"_s)));
    const QByteArray entry = ReadBytes(Data(u"applications/scrivo.desktop"_s));
    const QByteArray quoted = "\"" + m_request.executable.toUtf8() + "\"";
    EXPECT_TRUE(entry.contains("\nExec=" + quoted + " %f\n")) << entry.constData();
    EXPECT_TRUE(entry.contains("\nExec=" + quoted + " /C %f\n")) << entry.constData();
    EXPECT_TRUE(entry.contains("\nMimeType=text/x-nsis;\n"));
    EXPECT_EQ(
        ReadBytes(MimeApps()),
        "[Added Associations]\ntext/plain=gedit.desktop;\n\n[Default Applications]\ntext/x-nsis=scrivo.desktop\n");
    EXPECT_TRUE(QFile::exists(Data(u"mime/mime.cache"_s)));
    // Registering again leaves the same files.
    const QStringList files = {Data(u"mime/packages/scrivo.xml"_s), Data(u"applications/scrivo.desktop"_s), MimeApps()};
    QByteArrayList first;
    for (const QString& file : files)
        first << ReadBytes(file);
    ASSERT_TRUE(RegisterFileAssociation(m_request).Succeeded());
    for (qsizetype i = 0; i < files.size(); ++i)
        EXPECT_EQ(ReadBytes(files[i]), first[i]) << files[i].toStdString();

    const ToolRun validation = Run(u"desktop-file-validate"_s, {Data(u"applications/scrivo.desktop"_s)});
    EXPECT_EQ(validation.exitCode, 0) << validation.output.constData();
    EXPECT_EQ(Run(u"xdg-mime"_s, {u"query"_s, u"default"_s, u"text/x-nsis"_s}).output, "scrivo.desktop");
    for (const QString& name : {u"x.nsi"_s, u"Header.NSH"_s, u"x.nsh"_s}) {
        ASSERT_TRUE(WriteBytes(m_dir.filePath(name), "Name \"x\"\n"));
        EXPECT_EQ(Run(u"xdg-mime"_s, {u"query"_s, u"filetype"_s, m_dir.filePath(name)}).output, "text/x-nsis")
            << name.toStdString();
    }
}

TEST_F(Association, EachFailedStepIsNamedAndTheOthersStillRun) {
    // A file where the configuration folder should be: the default cannot be written.
    ASSERT_TRUE(WriteBytes(m_request.configHome, "in the way"));
    AssociationResult result = RegisterFileAssociation(m_request);
    EXPECT_EQ(result.failed, std::vector<AssociationStep>{AssociationStep::DefaultApplication});
    EXPECT_TRUE(QFile::exists(Data(u"applications/scrivo.desktop"_s)));
    EXPECT_TRUE(QFile::exists(Data(u"mime/mime.cache"_s)));

    // Shipped files that could not be read are not registered as empty files.
    AssociationRequest unread = m_request;
    unread.configHome = m_dir.filePath(u"config2"_s);
    unread.mimePackage.clear();
    unread.desktopEntry.clear();
    unread.icons.clear();
    result = RegisterFileAssociation(unread);
    EXPECT_EQ(result.failed,
              (std::vector<AssociationStep>{AssociationStep::MimeType, AssociationStep::Icon,
                                            AssociationStep::DesktopEntry}));

    // A list of defaults that cannot be read is not replaced.
    ASSERT_TRUE(QFile::remove(m_request.configHome));
    ASSERT_TRUE(QDir().mkpath(MimeApps()));
    EXPECT_EQ(RegisterFileAssociation(m_request).failed,
              std::vector<AssociationStep>{AssociationStep::DefaultApplication});
    EXPECT_TRUE(QFileInfo(MimeApps()).isDir());

    AssociationRequest nowhere = m_request;
    nowhere.dataHome.clear();
    nowhere.configHome.clear();
    EXPECT_EQ(RegisterFileAssociation(nowhere).failed.size(), 6u);
}
