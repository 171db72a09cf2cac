// CSourceIndex: where macros, variables, functions and labels are defined in a script and the files it includes.
#include "compiler/core/source_index.h"

#include "editor/core/encoding_detection.h"
#include "editor/core/text_encoding.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

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

const QList<Definition>& Definitions() {
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
}  // namespace

CSourceIndex::CSourceIndex(const QString& scriptPath, const QString& compileFolder, const QString& nsisDir)
    : m_compileFolder(compileFolder), m_nsisDir(nsisDir) {
    Read(QFileInfo(scriptPath).absoluteFilePath());
}

std::optional<SourcePlace> CSourceIndex::Find(SymbolKind kind, const QString& name, int occurrence) const {
    const QList<SourcePlace> places = m_definitions[std::size_t(kind)].value(name);
    if (places.isEmpty())
        return std::nullopt;
    return places.value(std::clamp<qsizetype>(occurrence, 0, places.size() - 1));
}

QString CSourceIndex::Expand(QString path) const {
    path.replace(QStringLiteral("${NSISDIR}"), m_nsisDir);
    path.replace(u'\\', u'/');
    return path;
}

QString CSourceIndex::ResolveInclude(const QString& name) const {
    const QString path = Expand(name);
    if (QDir::isAbsolutePath(path))
        return QFileInfo(path).isFile() ? QDir::cleanPath(path) : QString();
    QStringList folders{m_compileFolder};
    folders << m_includeDirs << m_nsisDir + QStringLiteral("/Include");
    for (const QString& folder : folders) {
        const QString candidate = QDir::cleanPath(QDir(folder).absoluteFilePath(path));
        if (QFileInfo(candidate).isFile())
            return candidate;
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

void CSourceIndex::ReadLine(const QString& file, int number, const QString& line) {
    const QStringView trimmed = QStringView(line).trimmed();
    if (StartsWithDirective(trimmed, u"!include")) {
        Read(ResolveInclude(DirectiveArgument(trimmed.sliced(8))));
        return;
    }
    if (StartsWithDirective(trimmed, u"!addincludedir")) {
        const QString folder = Expand(DirectiveArgument(trimmed.sliced(14)));
        if (!folder.isEmpty())
            m_includeDirs.append(QDir(m_compileFolder).absoluteFilePath(folder));
        return;
    }
    for (const Definition& definition : Definitions()) {
        const QRegularExpressionMatch match = definition.pattern.match(line);
        if (match.hasMatch()) {
            m_definitions[std::size_t(definition.kind)][match.captured(1)].append({file, number});
            return;
        }
    }
}
