// Wine's registry files read as keys and values, and the difference of two readings.
#include "compiler/core/wine_registry.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {

bool IsHexDigit(QChar c) { return c.isDigit() || (c.toLower() >= u'a' && c.toLower() <= u'f'); }

// The name between the quotes at `text[from]`, escapes resolved; `end` is set past the closing quote.
QString ReadQuoted(const QString& text, qsizetype from, qsizetype& end) {
    QString out;
    qsizetype i = from + 1;
    for (; i < text.size() && text[i] != u'"'; ++i) {
        if (text[i] != u'\\' || i + 1 >= text.size()) {
            out += text[i];
            continue;
        }
        const QChar next = text[++i];
        switch (next.unicode()) {
        case 'n': out += u'\n'; break;
        case 'r': out += u'\r'; break;
        case 't': out += u'\t'; break;
        case '0': out += QChar(0); break;
        case 'x': {
            qsizetype digits = 0;
            while (digits < 4 && i + 1 + digits < text.size() && IsHexDigit(text[i + 1 + digits]))
                ++digits;
            out += QChar(char16_t(text.mid(i + 1, digits).toUInt(nullptr, 16)));
            i += digits;
            break;
        }
        default: out += next;
        }
    }
    end = i + 1;
    return out;
}

QString KeyPath(const QString& root, QString written) {
    written.replace(u"\\\\"_s, u"\\"_s);
    return root + u'\\' + written;
}

void AddWithAncestors(RegistryKeys& keys, const QString& path) {
    keys[path];
    for (qsizetype cut = path.lastIndexOf(u'\\'); cut > 0; cut = path.lastIndexOf(u'\\', cut - 1))
        keys[path.left(cut)];
}

// What wine rewrites as it starts, whatever ran: its own settings, the devices
// it sets up on every start, and the Linux fonts it registers when a program
// first draws. A driver installer's own device keys are hidden with them.
bool IsWineChurn(const QString& key, const QString& data) {
    static const QRegularExpression wineSettings(uR"(^HK(LM|CU)\\Software\\Wine(\\|$))"_s,
                                                 QRegularExpression::CaseInsensitiveOption);
    if (wineSettings.match(key).hasMatch())
        return true;
    static const QRegularExpression devices(
        uR"(^HKLM\\System\\CurrentControlSet\\(Control\\Class|Control\\DeviceClasses|Enum)(\\|$))"_s,
        QRegularExpression::CaseInsensitiveOption);
    if (devices.match(key).hasMatch())
        return true;
    return key.endsWith(u"\\Fonts"_s, Qt::CaseInsensitive) && RegistryDataText(data).startsWith(u"\\??\\unix\\"_s);
}

// The NSIS uninstaller copies itself to a ~nsuN.tmp folder and has that copy
// deleted at the next restart: NSIS's own doing, not the script's.
bool IsUninstallerSelfDeletion(const QString& key, const QString& value, const QString& data) {
    if (value != u"PendingFileRenameOperations"_s
        || !key.endsWith(u"\\Control\\Session Manager"_s, Qt::CaseInsensitive))
        return false;
    static const QRegularExpression own(uR"(\\~nsu[^\\]*\.tmp(\\|$))"_s, QRegularExpression::CaseInsensitiveOption);
    const QStringList entries = RegistryDataText(data).split(QChar(0), Qt::SkipEmptyParts);
    return !entries.isEmpty()
           && std::all_of(entries.begin(), entries.end(), [](const QString& entry) { return own.match(entry).hasMatch(); });
}

// Keys every Windows has but a fresh prefix may lack: an installer creates
// them on the way to its own subkey, and they rightly stay after uninstalling.
bool IsStandardKey(const RegistryChange& change) {
    static const QRegularExpression standard(
        uR"(^HK(LM|CU)\\Software\\(Wow6432Node\\)?Microsoft\\Windows\\CurrentVersion\\(Uninstall|Run|RunOnce|App Paths)$)"_s,
        QRegularExpression::CaseInsensitiveOption);
    return change.IsWholeKey() && change.kind == ChangeKind::Added && standard.match(change.key).hasMatch();
}

bool IsNoise(const RegistryChange& change) {
    return IsStandardKey(change) || IsWineChurn(change.key, change.data)
           || IsUninstallerSelfDeletion(change.key, change.value, change.data);
}

bool HasNewSubkey(const RegistryKeys& before, const RegistryKeys& after, const QString& key) {
    const QString prefix = key + u'\\';
    for (auto it = after.upper_bound(key); it != after.end() && it->first.startsWith(prefix); ++it) {
        if (!before.contains(it->first))
            return true;
    }
    return false;
}

void DiffValues(const QString& key, const std::map<QString, QString>& before, const std::map<QString, QString>& after,
                QList<RegistryChange>& changes) {
    for (const auto& [name, data] : after) {
        const auto old = before.find(name);
        if (old == before.end())
            changes.append({ChangeKind::Added, key, name, data});
        else if (old->second != data)
            changes.append({ChangeKind::Changed, key, name, data});
    }
    for (const auto& [name, data] : before) {
        if (!after.contains(name))
            changes.append({ChangeKind::Removed, key, name, data});
    }
}

QString ParentOf(const QString& key) { return key.left(std::max<qsizetype>(0, key.lastIndexOf(u'\\'))); }

}  // namespace

RegistryKeys ParseWineRegistry(const QByteArray& bytes, const QString& root) {
    RegistryKeys keys;
    static const QRegularExpression keyLine(uR"(^\[(.*)\](?:\s+\d+)?\s*$)"_s);
    const QStringList lines = QString::fromUtf8(bytes).split(u'\n');
    std::map<QString, QString>* current = nullptr;
    QString pending;
    for (QString line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (!pending.isEmpty()) {
            line = pending + line.trimmed();
            pending.clear();
        }
        if (current && line.endsWith(u'\\') && !line.startsWith(u'[')) {
            pending = line.chopped(1);
            continue;
        }
        if (line.startsWith(u'[')) {
            const QRegularExpressionMatch match = keyLine.match(line);
            current = nullptr;
            if (match.hasMatch()) {
                const QString path = KeyPath(root, match.captured(1));
                AddWithAncestors(keys, path);
                current = &keys[path];
            }
            continue;
        }
        if (!current || line.isEmpty() || line.startsWith(u'#') || line.startsWith(u';'))
            continue;
        if (line.startsWith(u"@="_s)) {
            (*current)[u"@"_s] = line.mid(2);
        } else if (line.startsWith(u'"')) {
            qsizetype end = 0;
            const QString name = ReadQuoted(line, 0, end);
            if (end < line.size() && line[end] == u'=')
                (*current)[name] = line.mid(end + 1);
        }
    }
    return keys;
}

QList<RegistryChange> DiffRegistry(const RegistryKeys& before, const RegistryKeys& after) {
    QList<RegistryChange> changes;
    for (const auto& [key, values] : after) {
        const auto old = before.find(key);
        if (old != before.end()) {
            DiffValues(key, old->second, values, changes);
            continue;
        }
        if (values.empty() && !HasNewSubkey(before, after, key))
            changes.append({ChangeKind::Added, key, {}, {}});
        DiffValues(key, {}, values, changes);
    }
    for (const auto& [key, values] : before) {
        if (!after.contains(key) && after.contains(ParentOf(key)))
            changes.append({ChangeKind::Removed, key, {}, {}});
    }
    changes.removeIf(IsNoise);
    return changes;
}

QString RegistryDataText(const QString& data) {
    const qsizetype quote = data.indexOf(u'"');
    if (quote < 0 || !(quote == 0 || data.startsWith(u"str("_s)))
        return data;
    qsizetype end = 0;
    return ReadQuoted(data, quote, end);
}
