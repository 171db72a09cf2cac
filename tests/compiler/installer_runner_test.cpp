// Running the built installer, and when the compile commands are enabled.
#include "compiler/core/installer_runner.h"
#include "support/eventually.h"
#include "support/test_files.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(InstallerRunner, RunsThroughWineOnlyWhenInstallerAndWineExist) {
    QTemporaryDir dir;
    const QString installer = dir.filePath("setup 1.exe");
    EXPECT_EQ(RunInstaller(installer, "/usr/bin/true"), RunInstallerResult::NoInstaller);
    EXPECT_EQ(RunInstaller(QString(), "/usr/bin/true"), RunInstallerResult::NoInstaller);
    QFile(installer).open(QIODevice::WriteOnly);
    EXPECT_EQ(RunInstaller(installer, QString()), RunInstallerResult::NoWine);
    EXPECT_TRUE(NoWineMessage().contains("wine"));

    // A stand-in wine that records what it was asked to run.
    const QString wine = dir.filePath("wine");
    const QString marker = dir.filePath("ran.txt");
    // Written aside and renamed, so the marker never shows half written.
    ASSERT_TRUE(WriteExecutable(
        wine, ("#!/bin/sh\nprintf '%s' \"$1\" > '" + marker + ".part' && mv '" + marker + ".part' '" + marker + "'\n")
                  .toUtf8()));
    EXPECT_EQ(RunInstaller(installer, wine), RunInstallerResult::Started);
    ASSERT_EVENTUALLY(QFile::exists(marker));
    EXPECT_EQ(QString::fromUtf8(ReadBytes(marker)), installer);

    EXPECT_EQ(RunInstaller(installer, dir.filePath("no-wine")), RunInstallerResult::Failed);
}
