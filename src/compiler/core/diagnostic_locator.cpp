// LocateDiagnostics: puts each error and warning at the line the user has to change.
#include "compiler/core/diagnostic_locator.h"

#include "compiler/core/source_index.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <algorithm>
#include <memory>
#include <utility>

namespace {
struct NamedSymbol {
    SymbolKind kind;
    QString name;
};

// The warnings of makensis 3.08 that name a symbol but give no place.
std::optional<NamedSymbol> SymbolOfWarning(const Diagnostic& warning) {
    if (warning.severity != DiagnosticSeverity::Warning || warning.HasPlace())
        return std::nullopt;
    const QString& message = warning.message;
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

std::pair<int, QString> Key(const NamedSymbol& symbol) { return {int(symbol.kind), symbol.name}; }

bool UninstallerSkipped(const QList<Diagnostic>& diagnostics) {
    return std::any_of(diagnostics.cbegin(), diagnostics.cend(), [](const Diagnostic& d) {
        return d.severity == DiagnosticSeverity::Warning && d.message.startsWith(u"6020: ");
    });
}

// The definitions makensis warns about for a name, in the order it warns.
QList<SymbolDefinition> Candidates(QList<SymbolDefinition> definitions, SymbolKind kind, bool uninstallerSkipped) {
    if (kind != SymbolKind::Label)
        return definitions;
    // Labels a jump uses are not warned about; without an uninstaller its labels are not checked.
    definitions.removeIf([&](const SymbolDefinition& d) { return d.referenced || (uninstallerSkipped && d.uninstall); });
    std::stable_partition(definitions.begin(), definitions.end(), [](const SymbolDefinition& d) { return d.uninstall; });
    return definitions;
}

class CLocator {
public:
    CLocator(const LocateContext& context, const QList<Diagnostic>& diagnostics)
        : m_context(context), m_uninstallerSkipped(UninstallerSkipped(diagnostics)) {
        for (const Diagnostic& diagnostic : diagnostics) {
            if (const std::optional<NamedSymbol> symbol = SymbolOfWarning(diagnostic))
                ++m_warned[Key(*symbol)];
        }
    }

    QString Absolute(const QString& printed) const {
        if (printed.isEmpty())
            return {};
        if (printed == u"<stdin>")
            return m_context.scriptPath;
        return QDir::cleanPath(QDir(m_context.compileFolder).absoluteFilePath(printed));
    }

    // The first file line, or the first line of a user's macro, is the place;
    // every frame is located for the notes that show the chain.
    void LocateFrames(Diagnostic& diagnostic) {
        bool placed = false;
        for (DiagnosticFrame& frame : diagnostic.frames) {
            if (frame.macro.isEmpty()) {
                frame.file = Absolute(frame.file);
            } else if (const std::optional<SourcePlace> body = Index().Find(SymbolKind::Macro, frame.macro)) {
                frame.file = body->file;
                frame.line += body->line;
                // NSIS's own macros are passed over for the line that used them, when there is one.
                if (IsUnder(body->file, m_context.nsisDir) && &frame != &diagnostic.frames.back())
                    continue;
            } else {
                continue;
            }
            if (!placed)
                SetPlace(diagnostic, frame.file, frame.line);
            placed = true;
        }
        if (!placed)
            diagnostic.file = Absolute(diagnostic.file);
    }

    void LocateWarning(Diagnostic& warning) {
        if (warning.HasPlace() || !warning.frames.isEmpty()) {
            LocateFrames(warning);
            return;
        }
        const std::optional<NamedSymbol> symbol = SymbolOfWarning(warning);
        if (!symbol)
            return;
        const QList<SymbolDefinition> all =
            Candidates(Index().Definitions(symbol->kind, symbol->name), symbol->kind, m_uninstallerSkipped);
        QList<SymbolDefinition> certain = all;
        certain.removeIf([](const SymbolDefinition& d) { return !d.certain; });
        // One warning per definition, in order; any other count cannot be paired up.
        const int warned = m_warned.value(Key(*symbol));
        const QList<SymbolDefinition>& paired = certain.size() == warned ? certain : all;
        int& seen = m_seen[Key(*symbol)];
        if (paired.size() == warned && seen < paired.size())
            SetPlace(warning, paired[seen].place.file, paired[seen].place.line);
        ++seen;
    }

private:
    static void SetPlace(Diagnostic& diagnostic, const QString& file, int line) {
        diagnostic.file = file;
        diagnostic.line = line;
    }

    // Read only when a diagnostic needs it: most compiles have none.
    const CSourceIndex& Index() {
        if (!m_index)
            m_index = std::make_unique<CSourceIndex>(m_context.scriptPath, m_context.compileFolder, m_context.nsisDir,
                                                     m_context.defines);
        return *m_index;
    }

    const LocateContext& m_context;
    const bool m_uninstallerSkipped;
    std::unique_ptr<CSourceIndex> m_index;
    QHash<std::pair<int, QString>, int> m_warned;
    QHash<std::pair<int, QString>, int> m_seen;
};
}  // namespace

void LocateDiagnostics(QList<Diagnostic>& diagnostics, const LocateContext& context) {
    CLocator locator(context, diagnostics);
    for (Diagnostic& diagnostic : diagnostics) {
        if (diagnostic.severity == DiagnosticSeverity::Error)
            locator.LocateFrames(diagnostic);
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
