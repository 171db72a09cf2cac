// The statistics service's request body and framing, its answer's keys and the result codes with their messages.
#pragma once

#include "nsis/core/stat_item.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <optional>

namespace StatCode {
inline constexpr int Ok = 0;
inline constexpr int WrongPassword = -1;
inline constexpr int BadParameters = -30;
inline constexpr int Transport = -31;
inline constexpr int Service = -32;
}  // namespace StatCode

enum class StatFunction { SignIn = 1, StatList = 10 };

// "f:<n>\nemail:<account>\npwd:<digest>" in UTF-8.
QByteArray StatRequestBody(StatFunction function, const QString& account, const QString& digest);

// "#<CRC-32 of the body>\n" followed by the body scrambled with the program's key.
QByteArray FrameStatRequest(QByteArray body);

// The message the sign-in dialog shows for a failed code.
QString StatCodeMessage(int code);

// The service's answer: "key:value" lines; a key counts at its first line, in any letter case.
class StatResponse {
public:
    explicit StatResponse(const QByteArray& utf8);

    std::optional<QString> Value(const QString& key) const;
    // "err"; an answer without a readable code is the service's failure, never a success.
    int Code() const;
    // Rows 0..ct-1 of "id%d" and "name%d"; rows with an empty id or name are left out.
    QList<StatItem> Items() const;

private:
    QHash<QString, QString> m_values;
};
