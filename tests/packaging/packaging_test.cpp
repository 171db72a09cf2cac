// The desktop files as the desktop's validators see them, the installed layout, an installed copy at work, and the Debian package.
#include "support/run_tool.h"
#include "support/test_files.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

const QString kResources = QStringLiteral(SCRIVO_RESOURCES);
const QString kBuild = QStringLiteral(SCRIVO_BINARY_DIR);

// Every file below root, as paths relative to it.
QStringList FilesBelow(const QString& root) {
    QStringList files;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(root).relativeFilePath(it.next());
    files.sort();
    return files;
}

// What an installed copy is made of, below its prefix.
const QStringList kInstalledFiles = [] {
    QStringList files = {u"bin/scrivo"_s,
                         u"share/applications/scrivo.desktop"_s,
                         u"share/icons/hicolor/scalable/apps/scrivo.svg"_s,
                         u"share/metainfo/example.scrivo_editor.Scrivo.metainfo.xml"_s,
                         u"share/mime/packages/scrivo.xml"_s,
                         u"share/scrivo/config.xml"_s,
                         u"share/scrivo/langs.xml"_s,
                         u"share/scrivo/stylers.xml"_s};
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        files << u"share/icons/hicolor/%1x%1/apps/scrivo.png"_s.arg(size);
    files.sort();
    return files;
}();

}  // namespace

TEST(DesktopFilesTest, EntryAndMetainfoPassTheDesktopValidators) {
    const ToolRun entry = RunTool(u"desktop-file-validate"_s, {kResources + u"/desktop/scrivo.desktop"_s});
    EXPECT_EQ(entry.exitCode, 0) << entry.output.constData();
    EXPECT_TRUE(entry.output.trimmed().isEmpty()) << entry.output.constData();
    const ToolRun metainfo =
        RunTool(u"appstreamcli"_s,
                {u"validate"_s, u"--no-net"_s, kResources + u"/desktop/example.scrivo_editor.Scrivo.metainfo.xml"_s});
    EXPECT_EQ(metainfo.exitCode, 0) << metainfo.output.constData();
}

class InstalledCopy : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_prefix = m_dir.filePath(u"prefix"_s);
        const ToolRun install =
            RunTool(QStringLiteral(SCRIVO_CMAKE), {u"--install"_s, kBuild, u"--prefix"_s, m_prefix});
        ASSERT_EQ(install.exitCode, 0) << install.output.constData();
    }

    QString Prefix(const QString& path) const { return QDir(m_prefix).filePath(path); }

    QTemporaryDir m_dir;
    QString m_prefix;
};

TEST_F(InstalledCopy, LaysOutTheProgramItsFilesAndTheDesktopIntegration) {
    EXPECT_EQ(FilesBelow(m_prefix), kInstalledFiles);
    EXPECT_TRUE(QFileInfo(Prefix(u"bin/scrivo"_s)).isExecutable());
    EXPECT_EQ(ReadBytes(Prefix(u"share/scrivo/stylers.xml"_s)), ReadBytes(kResources + u"/stylers.xml"_s));
}

// Started as a user who cannot write the installed folder: the program takes
// its files from share/scrivo, works on copies in its configuration folder,
// opens the script it is given and compiles it.
TEST_F(InstalledCopy, StartsWithItsFilesCopiedForTheUserAndCompilesTheScriptItIsGiven) {
    const QString home = m_dir.filePath(u"home"_s);
    const QString work = m_dir.filePath(u"work"_s);
    const QString runtime = m_dir.filePath(u"run"_s);
    for (const QString& folder : {home, work, runtime})
        ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    const QString script = QDir(work).filePath(u"hello.nsi"_s);
    ASSERT_TRUE(
        WriteBytes(script, "Name \"Hello\"\nOutFile \"hello.exe\"\nRequestExecutionLevel user\nSection\nSectionEnd\n"));

    QString program = Prefix(u"bin/scrivo"_s);
    QStringList arguments = {u"/C"_s, script};
    if (::geteuid() == 0) {
        // Root may write anywhere; an unprivileged user is what the rule is for.
        ASSERT_TRUE(QFile::setPermissions(
            m_dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther));
        for (const QString& folder : {home, work, runtime})
            ASSERT_EQ(RunTool(u"chown"_s, {u"65534:65534"_s, folder}).exitCode, 0);
        arguments = QStringList{u"--reuid=65534"_s, u"--regid=65534"_s, u"--clear-groups"_s, program} + arguments;
        program = u"setpriv"_s;
    } else {
        ASSERT_TRUE(QFile::setPermissions(Prefix(u"share/scrivo"_s), QFile::ReadOwner | QFile::ExeOwner));
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    env.insert(u"HOME"_s, home);
    env.insert(u"XDG_CONFIG_HOME"_s, QDir(home).filePath(u".config"_s));
    env.insert(u"XDG_RUNTIME_DIR"_s, runtime);
    QProcess scrivo;
    scrivo.setProcessEnvironment(env);
    scrivo.setWorkingDirectory(work);
    scrivo.setProcessChannelMode(QProcess::MergedChannels);
    scrivo.start(program, arguments);
    ASSERT_TRUE(scrivo.waitForStarted());

    const QString installer = QDir(work).filePath(u"hello.exe"_s);
    const bool built =
        QTest::qWaitFor([&] { return QFileInfo::exists(installer) || scrivo.state() == QProcess::NotRunning; }, 120000);
    const QByteArray output = scrivo.readAll();
    scrivo.kill();
    scrivo.waitForFinished();
    ASSERT_TRUE(built);
    EXPECT_TRUE(QFileInfo::exists(installer)) << output.constData();

    const QDir copies(QDir(home).filePath(u".config/scrivo"_s));
    for (const QString& name : {u"langs.xml"_s, u"stylers.xml"_s}) {
        EXPECT_EQ(ReadBytes(copies.filePath(name)), ReadBytes(Prefix(u"share/scrivo/"_s + name))) << name.toStdString();
    }
    // The first document shows the outline and stores that at once, in the user's copy.
    EXPECT_TRUE(ReadBytes(copies.filePath(u"config.xml"_s)).contains("<ShowCodeTree Val=\"1\""));
    EXPECT_EQ(ReadBytes(Prefix(u"share/scrivo/config.xml"_s)), ReadBytes(kResources + u"/config.xml"_s));
}

TEST(DebianPackageTest, HoldsTheInstalledFilesAndDependsOnNsisAndAChineseFont) {
    QTemporaryDir out;
    const ToolRun cpack =
        RunTool(QStringLiteral(SCRIVO_CPACK),
                {u"-G"_s, u"DEB"_s, u"--config"_s, kBuild + u"/CPackConfig.cmake"_s, u"-B"_s, out.path()});
    ASSERT_EQ(cpack.exitCode, 0) << cpack.output.constData();
    const QStringList packages = QDir(out.path()).entryList({u"scrivo_*.deb"_s}, QDir::Files);
    ASSERT_EQ(packages.size(), 1) << cpack.output.constData();
    const QString deb = QDir(out.path()).filePath(packages.first());

    const ToolRun listing = RunTool(u"dpkg-deb"_s, {u"-c"_s, deb});
    ASSERT_EQ(listing.exitCode, 0) << listing.output.constData();
    for (const QString& file : kInstalledFiles)
        EXPECT_TRUE(listing.output.contains(" ./usr/" + file.toUtf8() + "\n")) << file.toStdString();

    const ToolRun fields = RunTool(u"dpkg-deb"_s, {u"-f"_s, deb, u"Package"_s, u"Depends"_s, u"Recommends"_s});
    EXPECT_TRUE(fields.output.contains("Package: scrivo\n")) << fields.output.constData();
    EXPECT_TRUE(fields.output.contains("Depends: nsis, fonts-wqy-microhei | ")) << fields.output.constData();
    EXPECT_TRUE(fields.output.contains("libqt6widgets6")) << fields.output.constData();
    EXPECT_TRUE(fields.output.contains("Recommends: nsis-doc, wine")) << fields.output.constData();
}
