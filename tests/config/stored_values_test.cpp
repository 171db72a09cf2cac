// Stored texts: numbers, colours and keyword classes of the XML files, and the sign-in password's form.
#include "config/core/password_codec.h"
#include "config/core/xml_values.h"

#include <gtest/gtest.h>

#include <climits>
#include <utility>

// Empty, signs and junk in whole config files are covered by the loading tests; these are the edges.
TEST(XmlValues, DecimalColourAndKeywordClassEdges) {
    EXPECT_EQ(ParseDecimal("+7"), 7);
    for (const char* bad : {"-", "   ", "4 ", "0x10", "1.5", "2147483648", "99999999999999999999"})
        EXPECT_EQ(ParseDecimal(bad), -1) << bad;
    EXPECT_EQ(ParseDecimal("2147483647"), INT_MAX);
    EXPECT_EQ(ParseDecimal("-2147483648"), INT_MIN);

    // Read red first, stored red low.
    EXPECT_EQ(ParseRgbColour("123456"), 0x563412);
    EXPECT_EQ(ParseRgbColour(""), 0);
    for (const char* bad : {"red", "GG0000", "1FFFFFF", " "})
        EXPECT_EQ(ParseRgbColour(bad), -1) << bad;
    for (const char* text : {"FF0000", "00FF00", "0000FF", "ABCDEF", "000001"})
        EXPECT_EQ(FormatRgbColour(ParseRgbColour(text)), QByteArray(text)) << text;

    EXPECT_EQ(KeywordClassFromName("instre2"), 1);
    EXPECT_EQ(KeywordClassFromName("type1"), 2);
    for (const char* bad : {"Instre1", "08", ""})
        EXPECT_EQ(KeywordClassFromName(bad), -1) << bad;
    EXPECT_EQ(KeywordClassFromName(nullptr), -1);
}

TEST(PasswordCodec, StoredFormIsPinned) {
    // Fixed passwords and the exact text an older version stored for them: a stored
    // sign-in must still read after an upgrade. 3, 57 and 58 bytes in the ANSI code page.
    const std::pair<const char*, const char*> known[] = {
        {"abc", "O17y"},
        {"密a", "meDw"},
        {"密码", "meBT/A=="},
        {"中文密码混合ASCII", "jOxf0ye36ji0SuDz0ESnImE="},
        {"Sign-in password 0123456789 with enough letters to fill57",
         "CVX2eckCRvN/xylP5niWDwjjPpRpCKQh01MR83jPLlSxcooEXbRnhjZZ5WOBGVvze8l6Wvh7iF4f\r\n"},
        {"Sign-in password 0123456789 with enough letters to fill58!",
         "CVX2eckCRvN/xylP5niWDwjjPpRpCKQh01MR83jPLlSxcooEXbRnhjZZ5WOBGVvze8l6Wvh7iF4Q\r\n8g=="},
        {"安装统计服务的登录密码必须完整保存下来以便下次自动登录使1",
         "6o5GpynYlBW4WJTNJNNRrOpvzHqY1yDPNIDlOdpd658l8Sup6GfdcuvfXtVQpf8HuQnv+1OrLtIZ\r\n"},
        {"安装统计服务的登录密码必须完整保存下来以便下次自动登录使用",
         "6o5GpynYlBW4WJTNJNNRrOpvzHqY1yDPNIDlOdpd658l8Sup6GfdcuvfXtVQpf8HuQnv+1OrLtL7\r\nEA=="},
    };
    for (const auto& [password, stored] : known) {
        EXPECT_EQ(EncodePassword(QString::fromUtf8(password)), QByteArray(stored)) << password;
        EXPECT_EQ(DecodePassword(stored), QString::fromUtf8(password)) << password;
    }
    // A second line of full groups is not followed by a line break.
    EXPECT_EQ(EncodePassword(QString(60, QLatin1Char('a'))).size(), 82);
    EXPECT_EQ(EncodePassword(QString()), QByteArray());
}

TEST(PasswordCodec, RoundTrips) {
    const QString samples[] = {
        QString(),
        QStringLiteral("p@ss w0rd!"),
        QString(57, QLatin1Char('x')),
        QString(200, QLatin1Char('z')),
        QStringLiteral("混合 mixed 文本 123"),
        QStringLiteral("emoji 😀 ok"),  // not in CP936, must still come back
        // A tag character, which CP936 in glibc drops without an error.
        QStringLiteral("tag ") + QString::fromUcs4(U"\U000E0041") + QStringLiteral(" 中"),
    };
    for (const QString& sample : samples)
        EXPECT_EQ(DecodePassword(EncodePassword(sample)), sample) << sample.toStdString();
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
