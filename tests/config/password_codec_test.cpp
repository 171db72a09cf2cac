// Tests of the stored form of the sign-in password.
#include "config/core/password_codec.h"

#include <gtest/gtest.h>

TEST(PasswordCodec, LineLayoutFollowsTheGroupCount) {
    EXPECT_EQ(EncodePassword(QString(3, QLatin1Char('a'))).size(), 4);
    const QByteArray full = EncodePassword(QString(57, QLatin1Char('a')));
    EXPECT_EQ(full.size(), 78);
    EXPECT_TRUE(full.endsWith("\r\n"));
    const QByteArray longer = EncodePassword(QString(58, QLatin1Char('a')));
    EXPECT_EQ(longer.size(), 82);
    EXPECT_EQ(longer.mid(76, 2), "\r\n");
    EXPECT_TRUE(longer.endsWith("=="));
    // A second line of full groups is not followed by a line break.
    const QByteArray twoLines = EncodePassword(QString(60, QLatin1Char('a')));
    EXPECT_EQ(twoLines.size(), 82);
    EXPECT_FALSE(twoLines.endsWith("\r\n"));
    EXPECT_EQ(EncodePassword(QString()), QByteArray());
    EXPECT_EQ(EncodePassword(QStringLiteral("ab")).size(), 4);
}

TEST(PasswordCodec, IsNotPlainBase64) {
    EXPECT_NE(EncodePassword(QStringLiteral("secret")), QByteArray("secret").toBase64());
}

TEST(PasswordCodec, RoundTrips) {
    const QString samples[] = {
        QString(),
        QStringLiteral("a"),
        QStringLiteral("p@ss w0rd!"),
        QString(57, QLatin1Char('x')),
        QString(58, QLatin1Char('y')),
        QString(200, QLatin1Char('z')),
        QStringLiteral("密码是中文"),
        QStringLiteral("混合 mixed 文本 123"),
        // Not in CP936: must still come back unchanged.
        QStringLiteral("emoji 😀 ok"),
    };
    for (const QString& sample : samples)
        EXPECT_EQ(DecodePassword(EncodePassword(sample)), sample) << sample.toStdString();
}

TEST(PasswordCodec, ChineseIsStoredInTheAnsiCodePage) {
    // Two CP936 bytes per character: 8 bytes are two full groups and a padded one.
    EXPECT_EQ(EncodePassword(QStringLiteral("中文密码")).size(), 12);
}

TEST(PasswordCodec, DecodingSkipsForeignCharacters) {
    const QString password = QString(70, QLatin1Char('q'));
    QByteArray stored = EncodePassword(password);
    EXPECT_EQ(DecodePassword(stored), password);
    stored.replace("\r\n", "\n");
    EXPECT_EQ(DecodePassword(stored), password);
    stored.insert(5, " \t*#");
    stored.append("\r\n");
    EXPECT_EQ(DecodePassword(stored), password);
}

TEST(PasswordCodec, TextWithoutBase64GivesAnEmptyPassword) {
    EXPECT_TRUE(DecodePassword("!!!").isEmpty());
    EXPECT_TRUE(DecodePassword("A").isEmpty());
    EXPECT_TRUE(DecodePassword("=").isEmpty());
    EXPECT_TRUE(DecodePassword(QByteArray(5000, '\xff')).isEmpty());
}

TEST(PasswordCodec, DamagedBytesStillDecodeToSomething) {
    // Bytes that are no valid CP936 text must not lose the rest of the password.
    const QString decoded = DecodePassword("////////////");
    EXPECT_FALSE(decoded.isEmpty());
}
