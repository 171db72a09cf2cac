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
    EXPECT_EQ(EncodePassword(QString(60, QLatin1Char('a'))).size(), 82);
    EXPECT_EQ(EncodePassword(QString()), QByteArray());
    // Chinese goes through the ANSI code page: two bytes a character.
    EXPECT_EQ(EncodePassword(QStringLiteral("中文密码")).size(), 12);
}

TEST(PasswordCodec, RoundTrips) {
    const QString samples[] = {
        QString(), QStringLiteral("p@ss w0rd!"), QString(57, QLatin1Char('x')),
        QString(200, QLatin1Char('z')), QStringLiteral("混合 mixed 文本 123"),
        QStringLiteral("emoji 😀 ok"),  // not in CP936, must still come back
    };
    for (const QString& sample : samples)
        EXPECT_EQ(DecodePassword(EncodePassword(sample)), sample) << sample.toStdString();
    EXPECT_NE(EncodePassword(QStringLiteral("secret")), QByteArray("secret").toBase64());
}

TEST(PasswordCodec, DecodingSkipsForeignCharacters) {
    const QString password = QString(70, QLatin1Char('q'));
    QByteArray stored = EncodePassword(password);
    stored.replace("\r\n", "\n");
    stored.insert(5, " \t*#");
    stored.append("\r\n");
    EXPECT_EQ(DecodePassword(stored), password);
    for (const QByteArray& junk : {QByteArray("!!!"), QByteArray("A"), QByteArray(5000, '\xff')})
        EXPECT_TRUE(DecodePassword(junk).isEmpty());
}
