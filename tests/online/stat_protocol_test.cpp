// The statistics protocol: password digest, request body and framing, answer keys and result messages.
#include "online/core/password_digest.h"
#include "online/core/stat_protocol.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// Pinned values: the service computes the same digest and reads the same frame.
TEST(StatProtocol, DigestSaltsThePasswordAsTheServiceDoes) {
    EXPECT_EQ(PasswordDigest(u"secret1"_s), u"37f55d6042498a66e39173b3baa69514"_s);
    EXPECT_EQ(PasswordDigest(u"密码1234"_s), u"ca6b133465173c20beba6d2ab23beb16"_s);
}

TEST(StatProtocol, RequestIsCrcLineThenScrambledBody) {
    const QByteArray body = StatRequestBody(StatFunction::SignIn, u"user01"_s, u"ab"_s);
    EXPECT_EQ(body, QByteArray("f:1\nemail:user01\npwd:ab"));
    EXPECT_EQ(StatRequestBody(StatFunction::StatList, u"用户"_s, u"cd"_s), QByteArray("f:10\nemail:用户\npwd:cd"));
    EXPECT_EQ(FrameStatRequest(body),
              QByteArray("#4090251692\n") + QByteArray::fromHex("3c06a01d810649ba639c2f4ff465d45a22a378c2605df3"));
}

TEST(StatProtocol, CodeAndRows) {
    struct Case {
        const char* answer;
        int code;
        QList<StatItem> items;
    };
    const Case cases[] = {
        {"err:0", 0, {}},
        {"ERR:-1", -1, {}},
        {"ct:2\nid0:A1", -32, {}},     // no err line: the service failed
        {"err:abc", -32, {}},          // not a number is no success
        {"x:1\nerr:7\nerr:0", 7, {}},  // the first err counts
        {"xerr:0\nerr : 0", -32, {}},  // a key counts only at a line's start, whole
        {"err:0\nct:2\nid0:A1\nname0:Setup A\nid1:\nname1:B", 0, {{u"A1"_s, u"Setup A"_s}}},
        {"err:0\r\nct:1\r\nID0:Z9\r\nName0:安装\r\n", 0, {{u"Z9"_s, u"安装"_s}}},
        {"err:0\nct:1000000\nid0:A\nname0:B", 0, {{u"A"_s, u"B"_s}}},  // a count beyond the rows
        {"err:0\nct:-3\nid0:A\nname0:B", 0, {}},
        // Control characters inside a value never reach a script.
        {"err:0\nct:1\nid0:7K\rFB\x01\nname0:演\r\t示\u2028", 0, {{u"7KFB"_s, u"演示"_s}}},
    };
    for (const Case& c : cases) {
        const StatResponse response{QByteArray(c.answer)};
        EXPECT_EQ(response.Code(), c.code) << c.answer;
        EXPECT_EQ(response.Items(), c.items) << c.answer;
    }
}

TEST(StatProtocol, MessagesOfTheCodes) {
    const std::pair<int, QString> cases[] = {
        {-1, u"账号或密码错误！"_s}, {-30, u"参数验证错误！"_s}, {-31, u"网络传输错误！"_s},
        {-32, u"服务处理错误！"_s},  {5, u"登录异常错误！"_s},   {-2, u"登录异常错误！"_s},
    };
    for (const auto& [code, message] : cases)
        EXPECT_EQ(StatCodeMessage(code), message) << code;
}
