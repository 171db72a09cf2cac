// The statistics service's request body and framing, its answer's keys and the result codes with their messages.
#include "online/core/stat_protocol.h"

#include "config/core/password_codec.h"

#include <QStringList>
#include <zlib.h>

using namespace Qt::StringLiterals;

namespace {
// A strict decimal integer; the service writes nothing else there.
std::optional<int> DecimalValue(const std::optional<QString>& text) {
    if (!text)
        return std::nullopt;
    bool ok = false;
    const int value = text->trimmed().toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}
// A value from the network goes into a script: a control character there
// (a CR inside an id, say) would break the line it stands on.
QString WithoutControlCharacters(const QString& value) {
    QString clean;
    clean.reserve(value.size());
    for (const QChar c : value) {
        if (c.category() != QChar::Other_Control && c != QChar::LineSeparator && c != QChar::ParagraphSeparator)
            clean += c;
    }
    return clean;
}

}  // namespace

QByteArray StatRequestBody(StatFunction function, const QString& account, const QString& digest) {
    return QByteArray("f:") + QByteArray::number(int(function)) + "\nemail:" + account.toUtf8()
        + "\npwd:" + digest.toUtf8();
}

QByteArray FrameStatRequest(QByteArray body) {
    const uLong crc = crc32(crc32(0L, Z_NULL, 0), reinterpret_cast<const Bytef*>(body.constData()), uInt(body.size()));
    ScrambleWithProgramKey(body);
    return QByteArray("#") + QByteArray::number(quint32(crc)) + "\n" + body;
}

QString StatCodeMessage(int code) {
    switch (code) {
    case StatCode::WrongPassword: return u"账号或密码错误！"_s;
    case StatCode::BadParameters: return u"参数验证错误！"_s;
    case StatCode::Transport: return u"网络传输错误！"_s;
    case StatCode::Service: return u"服务处理错误！"_s;
    default: return u"登录异常错误！"_s;
    }
}

StatResponse::StatResponse(const QByteArray& utf8) {
    // One pass over the lines: a list of thousands of rows is then not read once per key.
    const QStringList lines = QString::fromUtf8(utf8).split(u'\n');
    for (const QString& line : lines) {
        const qsizetype colon = line.indexOf(u':');
        if (colon < 0)
            continue;
        QString value = line.mid(colon + 1);
        // An answer written with CR LF keeps no CR in its values.
        if (value.endsWith(u'\r'))
            value.chop(1);
        const QString key = line.left(colon).toLower();
        if (!m_values.contains(key))
            m_values.insert(key, value);
    }
}

std::optional<QString> StatResponse::Value(const QString& key) const {
    const auto found = m_values.constFind(key.toLower());
    return found == m_values.cend() ? std::nullopt : std::optional<QString>(*found);
}

int StatResponse::Code() const { return DecimalValue(Value(u"err"_s)).value_or(StatCode::Service); }

QList<StatItem> StatResponse::Items() const {
    // No more rows than lines can exist, whatever "ct" claims.
    const int count = std::min<qsizetype>(DecimalValue(Value(u"ct"_s)).value_or(0), qsizetype(m_values.size()));
    QList<StatItem> items;
    for (int i = 0; i < count; ++i) {
        const QString number = WithoutControlCharacters(Value(u"id"_s + QString::number(i)).value_or(QString()));
        const QString name = WithoutControlCharacters(Value(u"name"_s + QString::number(i)).value_or(QString()));
        if (!number.isEmpty() && !name.isEmpty())
            items.append({number, name});
    }
    return items;
}
