// The update information file (VID, NVURL), the version comparison and the postponement chosen on the new-version page.
#include "online/core/update_info.h"

#include <QRegularExpression>

#include <limits>

using namespace Qt::StringLiterals;

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;
constexpr std::int64_t kLastStoredTime = std::numeric_limits<std::uint32_t>::max();

struct LeadingNumber {
    bool negative = false;
    bool digits = false;
    bool overflow = false;  // beyond 32 bits
    std::uint64_t magnitude = 0;
};

LeadingNumber ReadLeadingNumber(const QString& text) {
    LeadingNumber number;
    qsizetype i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        number.negative = text[i++] == u'-';
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        number.digits = true;
        number.magnitude = number.magnitude * 10 + std::uint64_t(text[i].unicode() - u'0');
        if (number.magnitude > std::numeric_limits<std::uint32_t>::max()) {
            number.overflow = true;
            break;
        }
    }
    return number;
}

// name="value", name='value' or name=value.
QString Attribute(const QString& tag, const QString& name) {
    const QRegularExpression pattern(
        u"\\s"_s + QRegularExpression::escape(name) + uR"re(\s*=\s*(?:"([^"]*)"|'([^']*)'|([^\s>]+)))re"_s,
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(tag);
    if (!match.hasMatch())
        return {};
    for (int group = 1; group <= 3; ++group) {
        if (match.capturedStart(group) >= 0)
            return match.captured(group);
    }
    return {};
}

bool HasFlag(const QString& tag, const QString& name) {
    return QRegularExpression(u"\\s"_s + name + uR"((\s|=|/?>))"_s, QRegularExpression::CaseInsensitiveOption)
        .match(tag)
        .hasMatch();
}

}  // namespace

std::optional<QString> UpdateInfoValue(const QString& text, const QString& key) {
    const QString prefix = key + u':';
    for (qsizetype line = 0; line >= 0 && line < text.size();) {
        if (QStringView(text).sliced(line).startsWith(prefix, Qt::CaseInsensitive)) {
            const qsizetype start = line + prefix.size();
            const qsizetype end = text.indexOf(u"\r\n"_s, start);
            return text.mid(start, end < 0 ? -1 : end - start);
        }
        line = text.indexOf(u"\r\n"_s, line);
        if (line >= 0)
            line += 2;
    }
    return std::nullopt;
}

std::uint32_t ReadVersionNumber(const QString& text) {
    const LeadingNumber number = ReadLeadingNumber(text);
    if (number.overflow)
        return std::numeric_limits<std::uint32_t>::max();
    const auto magnitude = static_cast<std::uint32_t>(number.magnitude);
    return number.negative ? 0u - magnitude : magnitude;
}

UpdateInfo ParseUpdateInfo(const QString& text) {
    UpdateInfo info;
    info.version = ReadVersionNumber(UpdateInfoValue(text, u"VID"_s).value_or(u"2"_s));
    info.pageAddress = UpdateInfoValue(text, u"NVURL"_s).value_or(QString()).trimmed();
    return info;
}

bool IsNewerVersion(const UpdateInfo& info) { return info.version > kThisVersionNumber; }

QUrl UpdatePageUrl(const UpdateInfo& info, const QUrl& infoFileUrl, const QUrl& defaultPage) {
    if (info.pageAddress.isEmpty())
        return defaultPage;
    const QUrl page = infoFileUrl.resolved(QUrl(info.pageAddress));
    if (!page.isValid() || page.host().isEmpty() || (page.scheme() != u"http"_s && page.scheme() != u"https"_s))
        return defaultPage;
    return page;
}

std::optional<std::int64_t> PostponedUntil(std::int64_t now, const QString& days) {
    const LeadingNumber number = ReadLeadingNumber(days);
    if (!number.digits || number.negative || number.magnitude == 0)
        return std::nullopt;
    if (number.overflow || std::int64_t(number.magnitude) > (kLastStoredTime - now) / kSecondsPerDay)
        return kLastStoredTime;
    return now + std::int64_t(number.magnitude) * kSecondsPerDay;
}

std::optional<PostponeBox> FindPostponeBox(const QString& html) {
    static const QRegularExpression inputTag(uR"(<input\b[^>]*>)"_s, QRegularExpression::CaseInsensitiveOption);
    for (auto it = inputTag.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        const QString tag = match.captured();
        // Element ids are case-sensitive, the type is not.
        if (Attribute(tag, u"id"_s) != u"CHK_UPDATE_INFO"_s)
            continue;
        if (Attribute(tag, u"type"_s).compare(u"checkbox"_s, Qt::CaseInsensitive) != 0)
            return std::nullopt;
        const qsizetype labelEnd = html.indexOf(u'<', match.capturedEnd());
        const qsizetype end = labelEnd < 0 ? html.size() : labelEnd;
        PostponeBox box;
        box.days = Attribute(tag, u"value"_s);
        box.label = html.mid(match.capturedEnd(), end - match.capturedEnd()).simplified();
        box.checked = HasFlag(tag, u"checked"_s);
        box.pageWithout = html.left(match.capturedStart()) + html.mid(end);
        return box;
    }
    return std::nullopt;
}
