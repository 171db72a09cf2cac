// CSourceIndex: where macros, variables, functions and labels are defined in a script and the files it includes.
#include "compiler/core/source_index.h"

#include "editor/core/encoding_detection.h"
#include "editor/core/text_encoding.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <utility>

namespace {
// Headers that include each other without end, or a folder of thousands,
// must not keep the compile from finishing.
constexpr int kMaxFiles = 400;
constexpr qint64 kMaxFileBytes = 16 * 1024 * 1024;

QString ReadText(const QString& path) {
    QFile file(path);
    if (file.size() > kMaxFileBytes || !file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    const DetectedEncoding detected = DetectEncoding(bytes);
    QByteArray utf8;
    if (!DecodeToUtf8(QByteArrayView(bytes).sliced(detected.markLength), detected.encoding, detected.codePage, utf8))
        return {};
    return QString::fromUtf8(utf8);
}

// The argument of a directive after its switches: "/NONFATAL /CHARSET=x "a b.nsh"" gives "a b.nsh".
QString DirectiveArgument(QStringView rest) {
    rest = rest.trimmed();
    while (rest.startsWith(u'/')) {
        const qsizetype blank = rest.indexOf(u' ');
        if (blank < 0)
            return {};
        rest = rest.sliced(blank).trimmed();
    }
    if (rest.isEmpty())
        return {};
    const QChar quote = rest.front();
    if (quote == u'"' || quote == u'\'' || quote == u'`') {
        const qsizetype close = rest.indexOf(quote, 1);
        return rest.sliced(1, (close < 0 ? rest.size() : close) - 1).toString();
    }
    const qsizetype end = rest.indexOf(QRegularExpression(QStringLiteral(R"([\s;#])")));
    return rest.first(end < 0 ? rest.size() : end).toString();
}

struct Definition {
    SymbolKind kind;
    QRegularExpression pattern;  // captures the name
};

const QList<Definition>& DefinitionPatterns() {
    using P = QRegularExpression;
    static const QList<Definition> definitions = {
        {SymbolKind::Macro, P(QStringLiteral(R"(^\s*!macro\s+"?([^\s"]+))"), P::CaseInsensitiveOption)},
        {SymbolKind::Variable, P(QStringLiteral(R"(^\s*Var\s+(?:/GLOBAL\s+)?([^\s;#]+))"), P::CaseInsensitiveOption)},
        {SymbolKind::Function, P(QStringLiteral(R"(^\s*Function\s+"?([^\s";#]+))"), P::CaseInsensitiveOption)},
        {SymbolKind::Label, P(QStringLiteral(R"(^\s*([^\s:;#!$+\-"'`0-9][^\s:;#"'`]*):\s*(?:[;#].*)?$)"))},
    };
    return definitions;
}

bool StartsWithDirective(QStringView line, QStringView directive) {
    return line.startsWith(directive, Qt::CaseInsensitive) && line.size() > directive.size()
        && line[directive.size()].isSpace();
}

// The first word of a line and what follows it.
std::pair<QStringView, QStringView> SplitWord(QStringView text) {
    qsizetype end = 0;
    while (end < text.size() && !text[end].isSpace())
        ++end;
    return {text.first(end), text.sliced(end).trimmed()};
}

QString Unquoted(QStringView word) {
    if (word.size() >= 2 && (word.front() == u'"' || word.front() == u'\'' || word.front() == u'`')
        && word.back() == word.front())
        return word.sliced(1, word.size() - 2).toString();
    return word.toString();
}

bool HasUninstallName(QStringView name) {
    while (name.startsWith(u'-') || name.startsWith(u'!'))
        name = name.sliced(1);
    return name.startsWith(u"un.", Qt::CaseInsensitive);
}

// makensis's own symbols and those of its config file: their value is not known here.
bool MayBePredefined(QStringView name) {
    return name.startsWith(u"NSIS") || name.startsWith(u"__") || name.startsWith(u"U+");
}

// The existing file at path, its name compared without regard to case as makensis does.
QString FileIgnoringCase(const QString& path) {
    const QFileInfo info(path);
    if (info.isFile())
        return QDir::cleanPath(info.absoluteFilePath());
    const QDir folder = info.absoluteDir();
    if (!folder.exists())
        return {};
    for (const QString& entry : folder.entryList(QDir::Files | QDir::Hidden, QDir::Name)) {
        if (entry.compare(info.fileName(), Qt::CaseInsensitive) == 0)
            return QDir::cleanPath(folder.filePath(entry));
    }
    return {};
}

// "${UN}Trim" as a pattern that "Trim" and "un.Trim" both match.
QRegularExpression TemplatePattern(const QString& name) {
    static const QRegularExpression symbol(QStringLiteral(R"(\$\{[^}]*\})"));
    QString pattern;
    qsizetype from = 0;
    for (QRegularExpressionMatchIterator it = symbol.globalMatch(name); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        pattern += QRegularExpression::escape(name.mid(from, match.capturedStart() - from)) + QStringLiteral(".*");
        from = match.capturedEnd();
    }
    pattern += QRegularExpression::escape(name.mid(from));
    return QRegularExpression(QRegularExpression::anchoredPattern(pattern), QRegularExpression::CaseInsensitiveOption);
}
}  // namespace

CSourceIndex::CSourceIndex(const QString& scriptPath, const QString& compileFolder, const QString& nsisDir,
                           const QStringList& defines)
    : m_compileFolder(compileFolder), m_nsisDir(nsisDir) {
    m_defines.insert(QStringLiteral("NSISDIR"), nsisDir);
    for (const QString& define : defines)
        m_defines.insert(define.section(u'=', 0, 0), define.section(u'=', 1));
    Read(QFileInfo(scriptPath).absoluteFilePath());
}

std::optional<SourcePlace> CSourceIndex::Find(SymbolKind kind, const QString& name) const {
    const QList<Entry> entries = m_definitions[std::size_t(kind)].value(name);
    if (entries.isEmpty())
        return std::nullopt;
    return entries.front().definition.place;
}

QList<SymbolDefinition> CSourceIndex::Definitions(SymbolKind kind, const QString& name) const {
    QList<Entry> entries = m_definitions[std::size_t(kind)].value(name);
    if (kind == SymbolKind::Function) {
        for (const auto& [pattern, entry] : m_functionTemplates) {
            if (TemplatePattern(pattern).match(name).hasMatch())
                entries.append(entry);
        }
    }
    QList<SymbolDefinition> definitions;
    for (const Entry& entry : entries) {
        SymbolDefinition definition = entry.definition;
        if (entry.block >= 0) {
            const Block& block = m_blocks[entry.block];
            definition.uninstall = block.uninstall;
            definition.referenced = block.words.contains(name);
        }
        definitions.append(definition);
    }
    return definitions;
}

QString CSourceIndex::Expand(QString path, const QString& fromFile) const {
    path.replace(QStringLiteral("${__FILEDIR__}"), QFileInfo(fromFile).absolutePath());
    path.replace(QStringLiteral("${__FILE__}"), QFileInfo(fromFile).fileName());
    for (auto it = m_defines.cbegin(); it != m_defines.cend() && path.contains(u"${"); ++it)
        path.replace(QStringLiteral("${%1}").arg(it.key()), it.value());
    path.replace(u'\\', u'/');
    return path;
}

QString CSourceIndex::ResolveInclude(const QString& name, const QString& fromFile) const {
    const QString path = Expand(name, fromFile);
    if (path.isEmpty())
        return {};
    if (QDir::isAbsolutePath(path))
        return FileIgnoringCase(path);
    QStringList folders{m_compileFolder, m_nsisDir + QStringLiteral("/Include")};
    folders << m_includeDirs;
    for (const QString& folder : folders) {
        const QString found = FileIgnoringCase(QDir(folder).absoluteFilePath(path));
        if (!found.isEmpty())
            return found;
    }
    return {};
}

void CSourceIndex::Read(const QString& path) {
    if (path.isEmpty() || m_read.contains(path) || m_read.size() >= kMaxFiles)
        return;
    m_read.insert(path);
    const QStringList lines = ReadText(path).split(u'\n');
    for (int i = 0; i < lines.size(); ++i)
        ReadLine(path, i + 1, lines[i]);
}

CSourceIndex::Truth CSourceIndex::Current() const {
    Truth current = Truth::Yes;
    for (const Branch& branch : m_branches) {
        if (branch.truth == Truth::No)
            return Truth::No;
        if (branch.truth == Truth::Unknown)
            current = Truth::Unknown;
    }
    return current;
}

CSourceIndex::Truth CSourceIndex::Condition(QStringView directive, QStringView rest) const {
    const bool ifdef = directive.compare(u"!ifdef", Qt::CaseInsensitive) == 0;
    const bool ifndef = directive.compare(u"!ifndef", Qt::CaseInsensitive) == 0;
    const auto [symbol, more] = SplitWord(rest);
    // Inside a macro the condition is evaluated where it is inserted.
    if ((!ifdef && !ifndef) || m_inMacro || symbol.isEmpty() || !more.isEmpty())
        return Truth::Unknown;
    const QString name = symbol.toString();
    if (name.contains(u'$') || m_uncertainDefines.contains(name) || (!m_defines.contains(name) && MayBePredefined(name)))
        return Truth::Unknown;
    return m_defines.contains(name) == ifdef ? Truth::Yes : Truth::No;
}

bool CSourceIndex::ReadConditional(QStringView trimmed) {
    const auto [directive, rest] = SplitWord(trimmed);
    if (!directive.startsWith(u"!if", Qt::CaseInsensitive) && directive.compare(u"!else", Qt::CaseInsensitive) != 0
        && directive.compare(u"!endif", Qt::CaseInsensitive) != 0)
        return false;
    if (directive.compare(u"!endif", Qt::CaseInsensitive) == 0) {
        if (!m_branches.isEmpty())
            m_branches.removeLast();
    } else if (directive.compare(u"!else", Qt::CaseInsensitive) == 0) {
        if (m_branches.isEmpty())
            return true;
        Branch& branch = m_branches.back();
        Truth truth = Truth::Yes;
        if (!rest.isEmpty()) {
            const auto [condition, symbols] = SplitWord(rest);
            truth = Condition(u'!' + condition.toString(), symbols);
        }
        if (branch.taken == Truth::Yes)
            truth = Truth::No;
        else if (branch.taken == Truth::Unknown && truth == Truth::Yes)
            truth = Truth::Unknown;
        branch.truth = truth;
        if (truth != Truth::No)
            branch.taken = truth == Truth::Yes || branch.taken == Truth::Yes ? Truth::Yes : Truth::Unknown;
    } else {
        const Truth truth = Condition(directive, rest);
        m_branches.append(Branch{truth, truth});
    }
    return true;
}

void CSourceIndex::ReadDefine(QStringView rest, bool undefine) {
    while (rest.startsWith(u'/'))
        rest = SplitWord(rest).second;
    const auto [name, value] = SplitWord(rest);
    if (name.isEmpty())
        return;
    const QString key = name.toString();
    if (m_inMacro || Current() != Truth::Yes) {
        m_uncertainDefines.insert(key);
        return;
    }
    m_uncertainDefines.remove(key);
    if (undefine)
        m_defines.remove(key);
    else
        m_defines.insert(key, Unquoted(value));
}

void CSourceIndex::ReadBlockLine(QStringView trimmed, bool labelDefinition) {
    const auto [word, rest] = SplitWord(trimmed);
    if (word.compare(u"Function", Qt::CaseInsensitive) == 0 || word.compare(u"Section", Qt::CaseInsensitive) == 0) {
        m_blocks.append(Block{HasUninstallName(DirectiveArgument(rest)), {}});
        m_block = int(m_blocks.size() - 1);
        return;
    }
    if (word.compare(u"FunctionEnd", Qt::CaseInsensitive) == 0 || word.compare(u"SectionEnd", Qt::CaseInsensitive) == 0) {
        m_block = -1;
        return;
    }
    if (m_block < 0 || labelDefinition || trimmed.startsWith(u';') || trimmed.startsWith(u'#'))
        return;
    static const QRegularExpression separators(QStringLiteral(R"([\s,]+)"));
    for (const QString& token : trimmed.toString().split(separators, Qt::SkipEmptyParts))
        m_blocks[m_block].words.insert(Unquoted(token));
}

void CSourceIndex::ReadLine(const QString& file, int number, const QString& line) {
    const QStringView trimmed = QStringView(line).trimmed();
    if (ReadConditional(trimmed))
        return;
    const Truth current = Current();
    if (current == Truth::No)
        return;
    if (StartsWithDirective(trimmed, u"!include")) {
        Read(ResolveInclude(DirectiveArgument(trimmed.sliced(8)), file));
        return;
    }
    if (StartsWithDirective(trimmed, u"!addincludedir")) {
        const QString folder = Expand(DirectiveArgument(trimmed.sliced(14)), file);
        if (!folder.isEmpty())
            m_includeDirs.append(QDir(m_compileFolder).absoluteFilePath(folder));
        return;
    }
    if (StartsWithDirective(trimmed, u"!define") || StartsWithDirective(trimmed, u"!undef")) {
        ReadDefine(SplitWord(trimmed).second, trimmed[2].toLower() == u'n');
        return;
    }
    if (trimmed.compare(u"!macroend", Qt::CaseInsensitive) == 0) {
        m_inMacro = false;
        return;
    }
    const SymbolDefinition base{{file, number}, current == Truth::Yes && !m_inMacro};
    for (const Definition& definition : DefinitionPatterns()) {
        const QRegularExpressionMatch match = definition.pattern.match(line);
        if (!match.hasMatch())
            continue;
        const QString name = match.captured(1);
        const bool isLabel = definition.kind == SymbolKind::Label;
        ReadBlockLine(trimmed, isLabel);
        const Entry entry{base, isLabel ? m_block : -1};
        if (definition.kind == SymbolKind::Function && name.contains(u"${"))
            m_functionTemplates.append({name, entry});
        else
            m_definitions[std::size_t(definition.kind)][name].append(entry);
        if (definition.kind == SymbolKind::Macro)
            m_inMacro = true;
        return;
    }
    ReadBlockLine(trimmed, false);
}
