// The value rules of the settings pages: tab width, font and size choices, box search and the style preview text.
#include "config/core/settings_rules.h"

#include <QSet>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {
constexpr int kDefaultTabSize = 4;
}  // namespace

int TabSizeFromText(const QString& text) {
    bool ok = false;
    const int typed = text.trimmed().toInt(&ok);
    return ok && typed >= 1 ? typed : kDefaultTabSize;
}

QStringList FontSizeChoices() {
    return {u""_s,   u"5"_s,  u"6"_s,  u"7"_s,  u"8"_s,  u"9"_s,  u"10"_s, u"11"_s, u"12"_s,
            u"14"_s, u"16"_s, u"18"_s, u"20"_s, u"22"_s, u"24"_s, u"26"_s, u"28"_s};
}

QStringList FontChoices(const QStringList& families) {
    QStringList unique;
    QSet<QString> seen;
    for (const QString& family : families) {
        if (!family.isEmpty() && !seen.contains(family.toCaseFolded())) {
            seen.insert(family.toCaseFolded());
            unique << family;
        }
    }
    std::stable_sort(unique.begin(), unique.end(),
                     [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    unique.prepend(QString());
    return unique;
}

int FindPrefix(const QStringList& entries, const QString& prefix) {
    for (int i = 0; i < entries.size(); ++i) {
        if (entries[i].startsWith(prefix, Qt::CaseInsensitive))
            return i;
    }
    return -1;
}

QString PreviewText(const QString& styleName) { return u"NSIS:"_s + styleName; }
