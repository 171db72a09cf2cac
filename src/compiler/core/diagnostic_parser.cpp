// CDiagnosticParser: reads makensis's output, line by line, into errors and warnings.
#include "compiler/core/diagnostic_parser.h"

#include <QRegularExpression>
#include <algorithm>
#include <utility>

using namespace Qt::StringLiterals;

namespace {
using Qt::CaseInsensitive;

std::optional<DiagnosticFrame> FileFrame(const std::optional<NamedPlace>& place) {
    if (!place || !place->file)
        return std::nullopt;
    return DiagnosticFrame{*place->file, {}, place->line};
}

// The last " (...)" of text whose parentheses pair up, so that a folder like
// "My (x86) dir" stays inside the place; -1 when there is none.
qsizetype TrailingParenthesis(const QString& text) {
    if (!text.endsWith(u')'))
        return -1;
    int depth = 0;
    for (qsizetype i = text.size() - 1; i >= 0; --i) {
        if (text[i] == u')')
            ++depth;
        else if (text[i] == u'(' && --depth == 0)
            return i > 0 && text[i - 1] == u' ' ? i : -1;
    }
    return -1;
}

// A warning's place, when makensis read it from the script: "message (file:line)".
// "(macro:NAME:N)" is line N of a macro's body; "(LangString NAME:LANG)" names a
// language string, not a place, and stays in the message.
void TakeTrailingPlace(Diagnostic& warning) {
    static const QRegularExpression place(QStringLiteral(R"(^\((.+):(\d+)\)$)"));
    const qsizetype open = TrailingParenthesis(warning.message);
    if (open < 0)
        return;
    const QRegularExpressionMatch match = place.match(QStringView(warning.message).sliced(open));
    if (!match.hasMatch() || match.captured(1).startsWith(u"LangString ", CaseInsensitive))
        return;
    const QString where = match.captured(1);
    const int line = match.captured(2).toInt();
    if (where.startsWith(u"macro:")) {
        warning.frames.append(DiagnosticFrame{{}, where.sliced(6), line});
    } else {
        warning.file = where;
        warning.line = line;
    }
    warning.message.truncate(open - 1);
}

// "File: ..." or "StrCpy expects ..." before "Usage: File ..." says what went wrong with that command.
bool NamesCommandOf(const QString& message, const QString& usageLine) {
    const QString command = usageLine.sliced(7).section(u' ', 0, 0);
    QString first = message.section(u' ', 0, 0);
    if (first.endsWith(u':'))
        first.chop(1);
    return !command.isEmpty() && first.compare(command, CaseInsensitive) == 0;
}

bool IsSummaryHeader(const QString& line) {
    static const QRegularExpression header(QStringLiteral(R"(^\d+ warnings?:$)"));
    return header.match(line).hasMatch();
}

std::optional<QString> WarningText(const QString& line) {
    // "warning 6012: text" keeps its number, as the summary shows it; "warning: text" has none.
    static const QRegularExpression warning(QStringLiteral(R"(^warning(?: (\d+: .*)|: (.*))$)"));
    const QRegularExpressionMatch match = warning.match(line);
    if (!match.hasMatch())
        return std::nullopt;
    return match.hasCaptured(1) ? match.captured(1) : match.captured(2);
}
}  // namespace

void CDiagnosticParser::Finish() {
    CloseError();
    FlushLoneError();
}

QList<Diagnostic> CDiagnosticParser::TakeDiagnostics() { return std::exchange(m_diagnostics, {}); }

void CDiagnosticParser::ReadLine(const OutputLine& read) {
    const QString& line = read.text;
    if (m_inSummary) {
        if (line.isEmpty() || line.startsWith(u' ')) {
            ReadSummaryLine(line);
            return;
        }
        m_inSummary = false;
    }
    if (ReadFrame(read))
        return;
    CloseError();
    if (line.isEmpty())
        return;
    if (!m_usage.isEmpty() && line.front().isSpace()) {
        m_usage.append(line);
        return;
    }
    if (!m_loneError || line != u"Error - aborting creation process")
        FlushLoneError();
    if (const std::optional<QString> text = WarningText(line)) {
        AddWarning(*text, line);
    } else if (IsSummaryHeader(line)) {
        m_inSummary = true;
    } else if (line.startsWith(u"Usage: ")) {
        m_usage = QStringList{line};
        return;
    } else if (line == u"Error - aborting creation process") {
        ReadAbort(line);
    } else if (line.startsWith(u"Error: ", CaseInsensitive)) {
        m_loneError = Diagnostic{DiagnosticSeverity::Error, line.sliced(7), {}, {}, 0, {}, {line}};
        m_lastMessage = line.sliced(7);
        m_lastMessageLine = line;
    } else {
        if (read.installer)
            m_installerPath = *read.installer;
        m_lastMessage = line;
        m_lastMessageLine = line;
    }
    m_usage.clear();
}

// No line is named: the failure is the "Error: " line or the message before it.
void CDiagnosticParser::ReadAbort(const QString& line) {
    if (m_loneError) {
        m_loneError->sourceLines.append(line);
        FlushLoneError();
        return;
    }
    OpenError(m_lastMessage.isEmpty() ? line : m_lastMessage);
    if (m_lastMessage.startsWith(u"Can't open output file") && !m_installerPath.isEmpty())
        m_openError->message += QStringLiteral(" \"%1\"").arg(m_installerPath);
    m_openError->sourceLines.append(line);
    CloseError();
}

void CDiagnosticParser::AddWarning(const QString& text, const QString& sourceLine) {
    Diagnostic warning{DiagnosticSeverity::Warning, text, {}, {}, 0, {}, {sourceLine}};
    TakeTrailingPlace(warning);
    m_diagnostics.append(std::move(warning));
}

// The summary repeats the warnings, each text once; some warnings appear only here.
void CDiagnosticParser::ReadSummaryLine(const QString& line) {
    const QString text = line.trimmed();
    if (text.isEmpty())
        return;
    const QString numbered = u"warning "_s + text;
    const QString plain = u"warning: "_s + text;
    const bool known = std::any_of(m_diagnostics.cbegin(), m_diagnostics.cend(), [&](const Diagnostic& d) {
        return d.severity == DiagnosticSeverity::Warning && !d.sourceLines.isEmpty()
            && (d.sourceLines.front() == numbered || d.sourceLines.front() == plain);
    });
    if (!known)
        AddWarning(text, line);
}

void CDiagnosticParser::OpenError(const QString& message) {
    m_openError = Diagnostic{DiagnosticSeverity::Error, message, {}, {}, 0, {}, {}};
    if (!m_lastMessageLine.isEmpty() && m_lastMessageLine.endsWith(message))
        m_openError->sourceLines.append(m_lastMessageLine);
}

bool CDiagnosticParser::ReadFrame(const OutputLine& read) {
    const QString& line = read.text;
    std::optional<DiagnosticFrame> frame;
    bool outermost = false;
    if (line.startsWith(u"!include: error in script: ", CaseInsensitive)) {
        frame = FileFrame(QuotedPlace(line));
    } else if (read.scriptError) {
        frame = FileFrame(read.scriptError);
        outermost = true;
    } else if (line.startsWith(u"Error in macro ", CaseInsensitive)) {
        static const QRegularExpression macro(QStringLiteral(R"(^Error in macro (.+) on macroline (\d+))"),
                                              QRegularExpression::CaseInsensitiveOption);
        const QRegularExpressionMatch match = macro.match(line);
        if (match.hasMatch())
            frame = DiagnosticFrame{{}, match.captured(1), match.captured(2).toInt()};
    }
    if (!frame)
        return false;
    if (!m_openError) {
        // The line that says what went wrong: the command's own line, else its usage line.
        const bool usageOnly = !m_usage.isEmpty() && !NamesCommandOf(m_lastMessage, m_usage.front());
        OpenError(usageOnly ? m_usage.front() : m_lastMessage);
        if (!m_usage.isEmpty()) {
            m_openError->details = m_usage.join(u'\n');
            m_openError->sourceLines.append(m_usage);
            m_usage.clear();
        }
        // An "Error: " line before the chain was its message, not an error of its own.
        m_loneError.reset();
    }
    m_openError->frames.append(*frame);
    m_openError->sourceLines.append(line);
    if (outermost)
        CloseError();
    return true;
}

void CDiagnosticParser::CloseError() {
    if (!m_openError)
        return;
    Diagnostic error = *std::exchange(m_openError, std::nullopt);
    // Until the macros are located, the innermost line of a file is the best place known.
    for (const DiagnosticFrame& frame : error.frames) {
        if (!frame.file.isEmpty()) {
            error.file = frame.file;
            error.line = frame.line;
            break;
        }
    }
    m_diagnostics.append(std::move(error));
    m_lastMessage.clear();
    m_lastMessageLine.clear();
}

void CDiagnosticParser::FlushLoneError() {
    if (m_loneError)
        m_diagnostics.append(*std::exchange(m_loneError, std::nullopt));
}
