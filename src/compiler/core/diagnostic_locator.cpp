// LocateDiagnostics: puts each error and warning at the line the user has to change.
#include "compiler/core/diagnostic_locator.h"

#include "compiler/core/source_index.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <memory>
#include <utility>

namespace {
struct NamedSymbol {
    SymbolKind kind;
    QString name;
};

// The warnings of makensis 3.08 that name a symbol but give no place.
std::optional<NamedSymbol> SymbolOfWarning(const QString& message) {
    static const QList<std::pair<SymbolKind, QRegularExpression>> patterns = {
        {SymbolKind::Variable, QRegularExpression(QStringLiteral(R"re(^\d+: Variable "(.+)" not referenced)re"))},
        {SymbolKind::Function,
         QRegularExpression(QStringLiteral(R"re(^\d+: (?:install|uninstall) function "(.+)" not referenced)re"))},
        {SymbolKind::Label, QRegularExpression(QStringLiteral(R"re(^\d+: (?:global )?label "(.+)" not used)re"))},
    };
    for (const auto& [kind, pattern] : patterns) {
        const QRegularExpressionMatch match = pattern.match(message);
        if (match.hasMatch())
            return NamedSymbol{kind, match.captured(1)};
    }
    return std::nullopt;
}

bool IsUnder(const QString& path, const QString& folder) {
    return !folder.isEmpty() && path.startsWith(QDir::cleanPath(folder) + u'/');
}

class CLocator {
public:
    explicit CLocator(const LocateContext& context) : m_context(context) {}

    QString Absolute(const QString& printed) const {
        if (printed.isEmpty())
            return {};
        if (printed == u"<stdin>")
            return m_context.scriptPath;
        return QDir::cleanPath(QDir(m_context.compileFolder).absoluteFilePath(printed));
    }

    void LocateError(Diagnostic& error) {
        for (DiagnosticFrame& frame : error.frames) {
            if (frame.macro.isEmpty()) {
                frame.file = Absolute(frame.file);
                SetPlace(error, frame.file, frame.line);
                return;
            }
            const std::optional<SourcePlace> body = Index().Find(SymbolKind::Macro, frame.macro);
            if (body && !IsUnder(body->file, m_context.nsisDir)) {
                SetPlace(error, body->file, body->line + frame.line);
                return;
            }
        }
        error.file = Absolute(error.file);
    }

    void LocateWarning(Diagnostic& warning) {
        if (warning.HasPlace()) {
            warning.file = Absolute(warning.file);
            return;
        }
        const std::optional<NamedSymbol> symbol = SymbolOfWarning(warning.message);
        if (!symbol)
            return;
        // The same name warned twice is the second definition the second time.
        int& seen = m_seen[std::make_pair(int(symbol->kind), symbol->name)];
        if (const std::optional<SourcePlace> place = Index().Find(symbol->kind, symbol->name, seen++))
            SetPlace(warning, place->file, place->line);
    }

private:
    static void SetPlace(Diagnostic& diagnostic, const QString& file, int line) {
        diagnostic.file = file;
        diagnostic.line = line;
    }

    // Read only when a diagnostic needs it: most compiles have none.
    const CSourceIndex& Index() {
        if (!m_index)
            m_index = std::make_unique<CSourceIndex>(m_context.scriptPath, m_context.compileFolder, m_context.nsisDir);
        return *m_index;
    }

    const LocateContext& m_context;
    std::unique_ptr<CSourceIndex> m_index;
    QHash<std::pair<int, QString>, int> m_seen;
};
}  // namespace

void LocateDiagnostics(QList<Diagnostic>& diagnostics, const LocateContext& context) {
    CLocator locator(context);
    for (Diagnostic& diagnostic : diagnostics) {
        if (diagnostic.severity == DiagnosticSeverity::Error)
            locator.LocateError(diagnostic);
        else
            locator.LocateWarning(diagnostic);
    }
}

QString NsisFolder(const QString& compilerPath, const QProcessEnvironment& environment) {
    const QString fromEnvironment = environment.value(QStringLiteral("NSISDIR"));
    if (!fromEnvironment.isEmpty() && QFileInfo(fromEnvironment).isDir())
        return QDir::cleanPath(fromEnvironment);
    const QDir bin = QFileInfo(compilerPath).absoluteDir();
    const QString shared = QDir::cleanPath(bin.absoluteFilePath(QStringLiteral("../share/nsis")));
    return QFileInfo(shared).isDir() ? shared : bin.absolutePath();
}
