// Saving config.xml: a save killed at any moment leaves a whole file that loads; a link survives.
#include "config_fixture.h"
#include "helpers/save_loop.h"
#include "support/killed_save.h"

#include <QFileInfo>

#include <random>

TEST_F(ConfigFolderTest, EveryKilledConfigSaveLeavesAWholeFileAndNoTemporaryFile) {
    WriteFiles();
    // The two files the helper writes in turn, made here the same way.
    QTemporaryDir reference;
    ASSERT_TRUE(reference.isValid());
    const QStringList files{QStringLiteral("config.xml"), QStringLiteral("langs.xml"), QStringLiteral("stylers.xml")};
    for (const QString& name : files)
        ASSERT_TRUE(QFile::copy(PathOf(name), reference.filePath(name)));
    QList<QByteArray> allowed{ReadBytes(PathOf(QStringLiteral("config.xml")))};
    {
        Configurator config(reference.path(), reference.filePath(QStringLiteral("user")), m_prompter);
        ASSERT_TRUE(config.Load());
        config.WriteOpenFiles(ManyOpenFiles());
        for (int round = 0; round < 2; ++round) {
            config.Base().Compressor = LoopCompressor(round);
            config.SaveBaseConfig();
            allowed << ReadBytes(reference.filePath(QStringLiteral("config.xml")));
        }
    }
    ASSERT_NE(allowed[1], allowed[2]);

    const unsigned seed = std::random_device{}();
    KilledSaver saver(seed);
    for (int round = 0; round < 50; ++round) {
        ASSERT_TRUE(saver.RunAndKill({QStringLiteral("config"), m_folder})) << "seed " << seed;
        ASSERT_TRUE(allowed.contains(ReadBytes(PathOf(QStringLiteral("config.xml")))))
            << "round " << round << ", seed " << seed;
        ASSERT_EQ(FolderEntries(m_folder), files) << "round " << round;
    }
    EXPECT_TRUE(Loaded().Base().Compressor == 1 || Loaded().Base().Compressor == 2);
}

TEST_F(ConfigFolderTest, SavingThroughALinkWritesItsTarget) {
    QTemporaryDir elsewhere;
    ASSERT_TRUE(elsewhere.isValid());
    const QString target = elsewhere.filePath(QStringLiteral("config.xml"));
    ASSERT_TRUE(WriteBytes(target, kMinimalConfig));
    WriteFiles(QByteArray());
    ASSERT_TRUE(QFile::link(target, PathOf(QStringLiteral("config.xml"))));

    Configurator& config = Loaded();
    config.Base().TabSize = 7;
    config.SaveBaseConfig();
    EXPECT_TRUE(QFileInfo(PathOf(QStringLiteral("config.xml"))).isSymLink());
    EXPECT_TRUE(ReadBytes(target).contains("<TabSize Val=\"7\""));
    EXPECT_EQ(Loaded().Base().TabSize, 7);
}
