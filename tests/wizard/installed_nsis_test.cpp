// What the wizard learns from the installed makensis: its folders, its install log support, a license that exists, and files scripts name.
#include "wizard/core/installed_nsis.h"
#include "wizard/core/script_file_paths.h"
#include "support/test_files.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

TEST(InstalledNsis, ReadsFoldersAndTheInstallLogSwitch) {
    struct Case {
        const char* symbols;
        const char* nsisDir;
        const char* docDir;
        bool log;
    };
    const Case cases[] = {
        {"__GLOBAL__,NSISDIR=/usr/share/nsis,PREFIX_DOC=/usr/share/doc/nsis,NSIS_CONFIG_LOG_ODS", "/usr/share/nsis",
         "/usr/share/doc/nsis", false},
        {"NSIS_CONFIG_LOG,NSISDIR=C:\\Program Files\\NSIS", "C:\\Program Files\\NSIS", "", true},
        {"NSIS_CONFIG_LOGGING,NSIS_CONFIG_LOG=1", "", "", true},
        {"", "", "", false},
    };
    const QString header("Size of first header is 28 bytes.\nSize of each page is 64 bytes.\n\nDefined symbols: ");
    for (const Case& c : cases) {
        const InstalledNsis nsis = ParseHeaderInfo(header + QString::fromLatin1(c.symbols) + "\n");
        EXPECT_TRUE(nsis.answered) << c.symbols;
        EXPECT_EQ(nsis.nsisDir, QString::fromLatin1(c.nsisDir)) << c.symbols;
        EXPECT_EQ(nsis.docDir, QString::fromLatin1(c.docDir)) << c.symbols;
        EXPECT_EQ(nsis.keepsInstallLog, c.log) << c.symbols;
        EXPECT_EQ(SafeRemovalNote(nsis).isEmpty(), c.log) << c.symbols;
    }
    EXPECT_FALSE(ParseHeaderInfo(QStringLiteral("makensis: unknown option")).answered);
    EXPECT_TRUE(SafeRemovalNote(InstalledNsis{}).isEmpty());  // nothing known, nothing claimed

    EXPECT_FALSE(QueryInstalledNsis(QStringLiteral("/nonexistent/makensis"), 1000).answered);
    const InstalledNsis real = QueryInstalledNsis(QStandardPaths::findExecutable("makensis"), 30000);
    ASSERT_TRUE(real.answered);
    EXPECT_TRUE(QFileInfo(real.nsisDir + "/Include/MUI2.nsh").isFile()) << real.nsisDir.toStdString();
}

TEST(InstalledNsis, LicenseFromEitherLayout) {
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    QDir root(tmp.path());
    ASSERT_TRUE(root.mkpath("win") && root.mkpath("nsis") && root.mkpath("doc"));
    ASSERT_TRUE(WriteBytes(root.filePath("win/license.txt"), "license")
                && WriteBytes(root.filePath("doc/copyright"), "c"));
    InstalledNsis nsis{true, root.filePath("win"), root.filePath("doc"), false};
    EXPECT_EQ(InstalledLicenseFile(nsis), QStringLiteral("${NSISDIR}\\license.txt"));
    nsis.nsisDir = root.filePath("nsis");
    EXPECT_EQ(InstalledLicenseFile(nsis), root.filePath("doc/copyright"));
    EXPECT_EQ(WizardDefaultsFor(nsis).licenseFile, root.filePath("doc/copyright"));
    nsis.docDir = root.filePath("nodoc");
    EXPECT_TRUE(InstalledLicenseFile(nsis).isEmpty());
    EXPECT_EQ(WizardDefaultsFor(nsis).licenseFile, WizardData().licenseFile);
}

TEST(ScriptFilePaths, KnownOnlyWhereTheWizardCanResolveThePath) {
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    QDir root(tmp.path());
    ASSERT_TRUE(root.mkpath("Contrib/Icons") && WriteBytes(root.filePath("Contrib/Icons/a.ico"), "i"));
    struct Case {
        QString path;
        QString nsisDir;
        PathState state;
    };
    const Case cases[] = {
        {"${NSISDIR}\\Contrib\\Icons\\a.ico", tmp.path(), PathState::Exists},
        {"${NSISDIR}\\Contrib\\Icons\\b.ico", tmp.path(), PathState::Missing},
        {"${NSISDIR}\\Contrib\\Icons\\b.ico", {}, PathState::Unknown},
        {" " + root.filePath("Contrib/Icons/a.ico") + " ", {}, PathState::Exists},
        {tmp.path() + "\\Contrib\\Icons\\a.ico", {}, PathState::Exists},
        {root.filePath("Contrib"), {}, PathState::Missing},  // a folder is no file
        {"$EXEDIR\\a.ico", tmp.path(), PathState::Unknown},
        {"icons\\a.ico", tmp.path(), PathState::Unknown},
        {"C:\\icons\\a.ico", tmp.path(), PathState::Unknown},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FileExistsFor(c.path, c.nsisDir), c.state) << c.path.toStdString();
}
