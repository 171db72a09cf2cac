// The symbols one NSIS file defines and uses, and the includes it names, read from its text alone.
#include "nsis/core/symbol_scan.h"

#include <QHash>
#include <algorithm>
#include <limits>
#include <optional>

namespace {

struct Word {
    QStringView text;  // without its quotes
    int line = 0;
    int column = 0;
    bool quoted = false;
};

// Qt's string hash is built to resist crafted keys and costs more than the rest of a name's
// scan; names of one file need only a quick one.
struct NameKey {
    QStringView text;
    bool operator==(const NameKey&) const = default;
};

size_t qHash(NameKey key, size_t seed) {
    size_t hash = 14695981039346656037ULL ^ seed;  // FNV-1a
    for (const QChar c : key.text)
        hash = (hash ^ c.unicode()) * 1099511628211ULL;
    return hash;
}

bool IsNameChar(QChar c) { return c.isLetterOrNumber() || c == u'_'; }

bool IsJumpTarget(const Word& word) {
    const QStringView t = word.text;
    if (t.isEmpty() || t == u"0" || t.startsWith(u'$'))
        return false;
    if ((t.front() == u'+' || t.front() == u'-') && t.size() > 1 && t[1].isDigit())
        return false;
    return true;
}

bool IsLabelName(QStringView name) {
    if (name.isEmpty())
        return false;
    const QChar first = name.front();
    return !(first == u'-' || first == u'+' || first == u'!' || first == u'$' || first == u':' || first.isDigit());
}

// Which operands of a conditional jump are labels (word positions after the command).
const QHash<QString, std::vector<int>>& JumpOperands() {
    static const QHash<QString, std::vector<int>> operands = {
        {QStringLiteral("goto"), {1}},
        {QStringLiteral("strcmp"), {3, 4}},
        {QStringLiteral("strcmps"), {3, 4}},
        {QStringLiteral("intcmp"), {3, 4, 5}},
        {QStringLiteral("intcmpu"), {3, 4, 5}},
        {QStringLiteral("intptrcmp"), {3, 4, 5}},
        {QStringLiteral("intptrcmpu"), {3, 4, 5}},
        {QStringLiteral("iferrors"), {1, 2}},
        {QStringLiteral("ifabort"), {1, 2}},
        {QStringLiteral("ifrebootflag"), {1, 2}},
        {QStringLiteral("ifsilent"), {1, 2}},
        {QStringLiteral("ifrtllanguage"), {1, 2}},
        {QStringLiteral("ifshellvarcontextall"), {1, 2}},
        {QStringLiteral("ifaltregview"), {1, 2}},
        {QStringLiteral("iffileexists"), {2, 3}},
    };
    return operands;
}

class Scanner {
public:
    explicit Scanner(QStringView text) : m_text(text) {}

    NsisFileScan Run() {
        int lineNumber = 0;
        qsizetype start = 0;
        while (start <= m_text.size()) {
            qsizetype end = m_text.indexOf(u'\n', start);
            const bool last = end < 0;
            if (last)
                end = m_text.size();
            QStringView line = m_text.sliced(start, end - start);
            if (line.endsWith(u'\r'))
                line.chop(1);
            ReadPhysicalLine(line, lineNumber);
            if (last)
                break;
            start = end + 1;
            ++lineNumber;
        }
        FinishLogicalLine();
        // Growth leaves up to half of each unused; the scan is kept for as long as the file is indexed.
        m_scan.occurrences.shrink_to_fit();
        m_scan.includes.shrink_to_fit();
        m_scan.scopes.shrink_to_fit();
        m_scan.names.squeeze();
        m_scan.nameEnds.shrink_to_fit();
        return std::move(m_scan);
    }

private:
    void ReadPhysicalLine(QStringView line, int number) {
        qsizetype i = 0;
        const qsizetype n = line.size();
        bool continued = false;
        while (i < n) {
            if (m_inBlockComment) {
                const qsizetype close = line.indexOf(u"*/", i);
                if (close < 0)
                    return;
                m_inBlockComment = false;
                i = close + 2;
                continue;
            }
            const QChar c = line[i];
            if (c.isSpace()) {
                ++i;
                continue;
            }
            if (c == u';' || c == u'#')
                break;
            if (c == u'/' && i + 1 < n && line[i + 1] == u'*') {
                m_inBlockComment = true;
                i += 2;
                continue;
            }
            if (c == u'\\' && i + 1 == n) {
                continued = true;
                break;
            }
            if (c == u'"' || c == u'\'' || c == u'`') {
                qsizetype j = i + 1;
                while (j < n && line[j] != c)
                    j += (line[j] == u'$' && j + 1 < n && line[j + 1] == u'\\') ? 3 : 1;
                j = std::min(j, n);
                AddWord(line.sliced(i + 1, j - i - 1), number, int(i + 1), true);
                i = j + 1;
                continue;
            }
            qsizetype j = i;
            while (j < n && !line[j].isSpace())
                ++j;
            if (j == n && line[j - 1] == u'\\' && j - 1 > i) {
                AddWord(line.sliced(i, j - 1 - i), number, int(i), false);
                continued = true;
                break;
            }
            AddWord(line.sliced(i, j - i), number, int(i), false);
            i = j;
        }
        if (!continued)
            FinishLogicalLine();
    }

    void AddWord(QStringView text, int line, int column, bool quoted) {
        m_words.push_back({text, line, column, quoted});
        ReadExpansions(m_words.back());
    }

    // $Name, ${Name} and $(Name) inside a word, quoted or not.
    void ReadExpansions(const Word& word) {
        const QStringView t = word.text;
        for (qsizetype i = 0; i + 1 < t.size(); ++i) {
            if (t[i] != u'$')
                continue;
            const QChar next = t[i + 1];
            if (next == u'$' || next == u'\\') {
                ++i;
                continue;
            }
            if (next == u'{' || next == u'(') {
                const QChar close = next == u'{' ? u'}' : u')';
                qsizetype j = i + 2;
                while (j < t.size() && t[j] != close && t[j] != u'$' && !t[j].isSpace())
                    ++j;
                if (j < t.size() && t[j] == close && j > i + 2)
                    Add(next == u'{' ? NsisSymbolKind::Define : NsisSymbolKind::LangString, word, i + 2, j - i - 2,
                        false);
                continue;
            }
            qsizetype j = i + 1;
            while (j < t.size() && IsNameChar(t[j]))
                ++j;
            if (j > i + 1)
                Add(NsisSymbolKind::Variable, word, i + 1, j - i - 1, false);
            i = j - 1;
        }
    }

    void Add(NsisSymbolKind kind, const Word& word, qsizetype offset, qsizetype length, bool definition) {
        const qsizetype column = word.column + offset;
        if (word.line > kNsisMaxLine || column > kNsisMaxColumn)
            return;
        const std::optional<quint32> name = Intern(word.text.sliced(offset, length));
        if (!name)
            return;
        NsisOccurrence o;
        o.line = quint64(word.line);
        o.column = quint64(column);
        o.name = *name;
        o.kind = quint64(kind);
        o.definition = definition;
        m_scan.occurrences.push_back(o);
    }

    std::optional<quint32> Intern(QStringView name) {
        quint32& idPlusOne = m_names[NameKey{name}];
        if (idPlusOne != 0)
            return idPlusOne - 1;
        if (m_scan.nameEnds.size() >= size_t(kNsisMaxNames)) {
            m_names.remove(NameKey{name});
            return std::nullopt;
        }
        m_scan.names += name.toUtf8();
        m_scan.nameEnds.push_back(quint32(m_scan.names.size()));
        idPlusOne = quint32(m_scan.nameEnds.size());
        return idPlusOne - 1;
    }

    void AddWhole(NsisSymbolKind kind, const Word& word, bool definition) {
        if (!word.text.isEmpty())
            Add(kind, word, 0, word.text.size(), definition);
    }

    void AddLabelReference(const Word& word) {
        if (IsJumpTarget(word))
            AddWhole(NsisSymbolKind::Label, word, false);
    }

    void AddFunctionReference(const Word& word) {
        if (!word.text.isEmpty() && !word.text.startsWith(u'$') && !word.text.startsWith(u'/'))
            AddWhole(NsisSymbolKind::Function, word, false);
    }

    // The first word at or after `from` that is no switch ("/o", "/GLOBAL"), or -1.
    qsizetype FirstArgument(qsizetype from) const {
        for (qsizetype i = from; i < qsizetype(m_words.size()); ++i) {
            if (m_words[i].quoted || !m_words[i].text.startsWith(u'/'))
                return i;
        }
        return -1;
    }

    void OpenScope(const Word& command) {
        CloseScope(command.line - 1);
        m_scope = int(m_scan.scopes.size());
        m_scan.scopes.push_back({command.line, std::numeric_limits<int>::max()});
    }

    void CloseScope(int lastLine) {
        if (m_scope >= 0)
            m_scan.scopes[size_t(m_scope)].last = lastLine;
        m_scope = -1;
    }

    void FinishLogicalLine() {
        if (!m_words.empty())
            ReadCommand(0);
        m_words.clear();
    }

    void ReadCommand(qsizetype first) {
        const qsizetype count = qsizetype(m_words.size()) - first;
        if (count <= 0)
            return;
        const Word& head = m_words[first];
        if (!head.quoted && head.text.size() > 1 && head.text.endsWith(u':')) {
            const Word label{head.text.chopped(1), head.line, head.column, false};
            if (IsLabelName(label.text)) {
                AddWhole(NsisSymbolKind::Label, label, true);
                ReadCommand(first + 1);
                return;
            }
        }
        const QString command = head.text.toString().toLower();
        auto word = [&](qsizetype i) -> const Word* {
            return first + i < qsizetype(m_words.size()) ? &m_words[first + i] : nullptr;
        };
        auto argument = [&](qsizetype from) -> const Word* {
            const qsizetype i = FirstArgument(first + from);
            return i < 0 ? nullptr : &m_words[i];
        };
        if (command == u"function") {
            OpenScope(head);
            if (const Word* name = word(1))
                AddWhole(NsisSymbolKind::Function, *name, true);
        } else if (command == u"section" || command == u"sectiongroup") {
            if (command == u"section")
                OpenScope(head);
            const qsizetype name = FirstArgument(first + 1);
            if (name >= 0) {
                AddWhole(NsisSymbolKind::Section, m_words[name], true);
                if (name + 1 < qsizetype(m_words.size()))
                    AddWhole(NsisSymbolKind::Define, m_words[name + 1], true);
            }
        } else if (command == u"functionend" || command == u"sectionend") {
            CloseScope(head.line);
        } else if (command == u"!macro") {
            if (const Word* name = word(1))
                AddWhole(NsisSymbolKind::Macro, *name, true);
        } else if (command == u"!insertmacro") {
            if (const Word* name = word(1))
                AddWhole(NsisSymbolKind::Macro, *name, false);
        } else if (command == u"!define") {
            const qsizetype name = FirstArgument(first + 1);
            if (name >= 0) {
                AddWhole(NsisSymbolKind::Define, m_words[name], true);
                // The MUI's page callbacks are named by defines such as MUI_PAGE_CUSTOMFUNCTION_PRE.
                if (m_words[name].text.contains(u"FUNCTION") && name + 1 < qsizetype(m_words.size()))
                    AddFunctionReference(m_words[name + 1]);
            }
        } else if (command == u"!undef" || command == u"!ifdef" || command == u"!ifndef" || command == u"!else"
                   || command == u"!elseif" || command == u"!ifmacrodef" || command == u"!ifmacrondef") {
            ReadConditionNames(first, command);
        } else if (command == u"var") {
            if (const Word* name = argument(1))
                AddWhole(NsisSymbolKind::Variable, *name, true);
        } else if (command == u"langstring" || command == u"licenselangstring") {
            if (const Word* name = word(1))
                AddWhole(NsisSymbolKind::LangString, *name, true);
        } else if (command == u"call") {
            if (const Word* target = word(1)) {
                if (target->text.startsWith(u':'))
                    AddLabelReference({target->text.sliced(1), target->line, target->column + 1, target->quoted});
                else
                    AddFunctionReference(*target);
            }
        } else if (command == u"getfunctionaddress") {
            if (const Word* target = word(2))
                AddFunctionReference(*target);
        } else if (command == u"page" || command == u"uninstpage") {
            const Word* type = word(1);
            const int callbacks = type && type->text.compare(u"custom", Qt::CaseInsensitive) == 0 ? 2 : 3;
            for (int i = 2; i < 2 + callbacks; ++i) {
                const Word* callback = word(i);
                if (!callback || (!callback->quoted && callback->text.startsWith(u'/')))
                    break;
                AddFunctionReference(*callback);
            }
        } else if (command == u"pagecallbacks") {
            for (int i = 1; i <= 3; ++i) {
                if (const Word* callback = word(i))
                    AddFunctionReference(*callback);
            }
        } else if (command == u"messagebox") {
            for (qsizetype i = 2; i + 1 < count; ++i) {
                if (word(i)->text.startsWith(u"ID", Qt::CaseInsensitive)
                    && word(i - 1)->text.compare(u"/SD", Qt::CaseInsensitive) != 0)
                    AddLabelReference(*word(i + 1));
            }
        } else if (command == u"!include" || command == u"!addincludedir") {
            if (const Word* path = argument(1))
                m_scan.includes.push_back({command == u"!addincludedir", path->text.toString(), path->line});
        } else if (const auto jumps = JumpOperands().constFind(command); jumps != JumpOperands().cend()) {
            for (int i : *jumps) {
                if (const Word* target = word(i))
                    AddLabelReference(*target);
            }
        }
    }

    // !ifdef A && B, !else ifdef C, !ifmacrodef M: the names they test.
    void ReadConditionNames(qsizetype first, const QString& command) {
        qsizetype i = first + 1;
        QString test = command;
        if (command == u"!else" || command == u"!elseif") {
            if (i >= qsizetype(m_words.size()))
                return;
            test = u'!' + m_words[i].text.toString().toLower();
            ++i;
        }
        const bool macro = test == u"!ifmacrodef" || test == u"!ifmacrondef";
        if (!macro && test != u"!ifdef" && test != u"!ifndef" && test != u"!undef")
            return;
        for (; i < qsizetype(m_words.size()); ++i) {
            const QStringView t = m_words[i].text;
            if (t == u"&&" || t == u"||" || t.startsWith(u'/'))
                continue;
            AddWhole(macro ? NsisSymbolKind::Macro : NsisSymbolKind::Define, m_words[i], false);
        }
    }

    QStringView m_text;
    NsisFileScan m_scan;
    std::vector<Word> m_words;  // of the logical line being read
    QHash<NameKey, quint32> m_names;  // a name's id + 1, 0 while new
    bool m_inBlockComment = false;
    int m_scope = -1;
};

}  // namespace

NsisFileScan ScanNsisSymbols(QStringView text) { return Scanner(text).Run(); }

QByteArrayView NsisFileScan::NameBytes(quint32 name) const {
    const quint32 start = name == 0 ? 0 : nameEnds[name - 1];
    return QByteArrayView(names).sliced(start, nameEnds[name] - start);
}

QString NsisFileScan::Name(const NsisOccurrence& o) const { return QString::fromUtf8(NameBytes(quint32(o.name))); }

int NsisFileScan::Length(const NsisOccurrence& o) const {
    int units = 0;
    for (const char c : NameBytes(quint32(o.name))) {
        const auto byte = uchar(c);
        if ((byte & 0xC0) != 0x80)
            units += byte >= 0xF0 ? 2 : 1;  // a four-byte sequence is a surrogate pair
    }
    return units;
}

std::vector<quint32> NsisFileScan::NamesMatching(const QString& key) const {
    const QByteArray wanted = NsisSymbolKey(key).toUtf8();
    std::vector<quint32> matching;
    for (quint32 name = 0; name < nameEnds.size(); ++name) {
        const QByteArrayView bytes = NameBytes(name);
        if (bytes.size() == wanted.size()
            && std::equal(bytes.begin(), bytes.end(), wanted.begin(),
                          [](char a, char b) { return (a >= 'A' && a <= 'Z' ? char(a + 32) : a) == b; }))
            matching.push_back(name);
    }
    return matching;
}

int NsisFileScan::ScopeAt(int line) const {
    const auto after = std::upper_bound(scopes.begin(), scopes.end(), line,
                                        [](int l, const NsisLabelScope& scope) { return l < scope.first; });
    if (after == scopes.begin() || std::prev(after)->last < line)
        return -1;
    return int(std::prev(after) - scopes.begin());
}

QString NsisSymbolKey(QStringView name) {
    QString key = name.toString();
    for (QChar& c : key) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + 32);
    }
    return key;
}

QStringList DefinitionWithComments(QStringView text, int line) {
    const QList<QStringView> lines = text.split(u'\n');
    if (line < 0 || line >= lines.size())
        return {};
    QStringList shown{lines[line].trimmed().toString()};
    for (int above = line - 1; above >= 0; --above) {
        const QStringView comment = lines[above].trimmed();
        if (!comment.startsWith(u';') && !comment.startsWith(u'#'))
            break;
        shown.prepend(comment.toString());
    }
    return shown;
}
