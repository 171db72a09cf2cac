// Tests of where the files are used from and where NSIS, its compiler and its manual are found.
#include "config_fixture.h"

#include <QFileInfo>
#include <QStandardPaths>

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <thread>

namespace {

// Runs `work` while `folder` is read-only, on a thread that cannot override file
// permissions, so that the folder is read-only even when the tests run as root.
template <typename Work>
void WithReadOnlyFolder(const QString& folder, Work work) {
    ASSERT_TRUE(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    std::thread worker([&] {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        __user_cap_data_struct data[2] = {};
        if (syscall(SYS_capget, &header, data) == 0) {
            for (const int cap : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH, CAP_FOWNER}) {
                data[cap / 32].effective &= ~(1u << (cap % 32));
                data[cap / 32].permitted &= ~(1u << (cap % 32));
            }
            syscall(SYS_capset, &header, data);
        }
        work();
    });
    worker.join();
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

}  // namespace

using ConfigPaths = ConfigFolderTest;

TEST_F(ConfigPaths, ReadOnlyProgramFolderIsCopiedOnceToTheUserFolder) {
    WriteFiles("<Scrivo><BaseConfig><TabSize Val=\"3\"/></BaseConfig></Scrivo>");
    WithReadOnlyFolder(m_folder, [&] {
        Configurator& config = Reopen();
        EXPECT_EQ(config.ProgramFolder(), m_userFolder);
        EXPECT_TRUE(config.Load());
        EXPECT_EQ(config.Base().TabSize, 3);
        config.Base().TabSize = 5;
        config.SaveBaseConfig();
        EXPECT_EQ(UnixMode(m_userFolder + "/config.xml"), 0600u);
        // Once copied, the user's files are used and not replaced.
        EXPECT_EQ(Loaded().Base().TabSize, 5);
        EXPECT_TRUE(QFile::exists(m_userFolder + "/langs.xml"));
        EXPECT_TRUE(QFile::exists(m_userFolder + "/stylers.xml"));
    });
    EXPECT_TRUE(ReadBytes(PathOf("config.xml")).contains("Val=\"3\""));
}

TEST_F(ConfigPaths, FailedWriteLeavesThePreviousFileIntact) {
    WriteFiles();
    Configurator& config = Loaded();
    config.AddRecentFile(QStringLiteral("/a/one.nsi"));
    const QByteArray before = ReadBytes(PathOf("config.xml"));
    WithReadOnlyFolder(m_folder, [&] {
        config.AddRecentFile(QStringLiteral("/a/two.nsi"));
        config.Base().TabSize = 9;
        config.SaveBaseConfig();
        EXPECT_FALSE(config.SaveStyles());
    });
    EXPECT_EQ(ReadBytes(PathOf("config.xml")), before);
    EXPECT_EQ(ReadBytes(PathOf("stylers.xml")), kMinimalStylers);
    // The state in memory stays as changed.
    EXPECT_EQ(config.RecentFiles().size(), 2);
    EXPECT_EQ(config.Base().TabSize, 9);
}

TEST_F(ConfigPaths, NsisFolderPrefersACompilerBesideTheProgram) {
    WriteFiles();
    Configurator& config = Reopen();
    EXPECT_EQ(config.ProgramFolder(), m_folder);  // writable: used in place, nothing copied
    EXPECT_FALSE(QFileInfo::exists(m_userFolder));
    const QString system = QStandardPaths::findExecutable(QStringLiteral("makensis"));
    ASSERT_FALSE(system.isEmpty()) << "makensis must be installed";
    EXPECT_EQ(config.NsisFolder(), QFileInfo(system).absolutePath());
    EXPECT_EQ(config.GetCompilerPath(), QFileInfo(system).absolutePath() + "/makensis");

    // A plain file of that name is no compiler; an executable one is.
    ASSERT_TRUE(WriteBytes(PathOf("makensis"), "#!/bin/sh\n"));
    EXPECT_EQ(config.NsisFolder(), QFileInfo(system).absolutePath());
    ASSERT_TRUE(QFile::setPermissions(PathOf("makensis"),
                                      QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
    EXPECT_EQ(config.NsisFolder(), m_folder);
    EXPECT_EQ(config.GetCompilerPath(), PathOf("makensis"));

    config.Base().CompilePath = QStringLiteral("/opt/nsis/bin/makensis");
    EXPECT_EQ(config.GetCompilerPath(), QStringLiteral("/opt/nsis/bin/makensis"));
}

TEST_F(ConfigPaths, HelpPathFallsBackToTheInstalledManual) {
    Configurator& config = Reopen();
    const QString manual = QStringLiteral("/usr/share/doc/nsis/Docs/Contents.html");
    EXPECT_EQ(config.GetHelpPath(), QFileInfo::exists(manual) ? manual : QString());
    config.Base().HelpPath = QStringLiteral("/somewhere/NSIS.html");
    EXPECT_EQ(config.GetHelpPath(), QStringLiteral("/somewhere/NSIS.html"));
}
