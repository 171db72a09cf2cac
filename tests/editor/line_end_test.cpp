// The line end found in a document's text.
#include "editor/core/line_end.h"

#include <gtest/gtest.h>

TEST(LineEnd, MostLinesDecideAndATieOrNoneIsCrLf) {
    const struct {
        const char* text;
        LineEnd expected;
    } cases[] = {
        {"", LineEnd::CrLf},
        {"Name x", LineEnd::CrLf},
        {"a\r\nb\r\n", LineEnd::CrLf},
        {"a\nb\n", LineEnd::Lf},
        {"a\r\nb\nc\n", LineEnd::Lf},
        {"a\r\nb\r\nc\n", LineEnd::CrLf},
        {"a\r\nb\n", LineEnd::CrLf},
        {"\n", LineEnd::Lf},
        {"a\rb\rc\n", LineEnd::Lf},  // a lone CR ends no line here
    };
    for (const auto& c : cases)
        EXPECT_EQ(DetectLineEnd(c.text), c.expected) << QByteArray(c.text).toPercentEncoding().constData();
    EXPECT_EQ(LineEndName(LineEnd::CrLf), QStringLiteral("CR LF"));
    EXPECT_EQ(LineEndName(LineEnd::Lf), QStringLiteral("LF"));
}
