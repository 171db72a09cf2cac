// The statistics line of a script.
#include "nsis/core/stat_line.h"

const char kStatCommentFormat[] = "    /*  安装统计项名称：【%s】  */";

namespace {
QString FillFormat(const char* format, const QString& value) {
    QString text = QString::fromUtf8(format);
    text.replace(QStringLiteral("%s"), value);
    return text;
}
}  // namespace

QString StatComment(const QString& itemName) { return FillFormat(kStatCommentFormat, itemName); }

QString StatLine(const QString& number, const QString& comment) {
    return QString::fromLatin1(kStatSymbol) + QLatin1Char(' ') + number + QLatin1Char(' ') + comment;
}

QString WizardStatLine(const QString& statNumber, const QString& statItemName, const QString& appName) {
    if (statNumber.isEmpty())
        return QLatin1Char(';') + StatLine(QStringLiteral("统计编号"), StatComment(appName));
    return StatLine(statNumber, StatComment(statItemName));
}
