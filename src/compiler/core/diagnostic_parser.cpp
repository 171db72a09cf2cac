// CDiagnosticParser: reads makensis's output, line by line, into errors and warnings.
#include "compiler/core/diagnostic_parser.h"

#include <QRegularExpression>
#include <utility>

namespace {
using Qt::CaseInsensitive;

QByteArrayView WithoutTrailingCr(QByteArrayView line) { return line.endsWith('\r') ? line.chopped(1) : line; }

int LeadingNumber(QStringView text) {
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    long long number = 0;
    for (; i < text.size() && text[i].isDigit() && number < 1'000'000'000; ++i)
        number = number * 10 + text[i].digitValue();
    return int(number);
}

// `"file" on line N`, the tail makensis gives every file frame.
std::optional<DiagnosticFrame> QuotedFileFrame(QStringView text) {
    static const QString onLine = QStringLiteral("\" on line ");
    const qsizetype open = text.indexOf(u'"');
    const qsizetype close = text.lastIndexOf(onLine, -1, CaseInsensitive);
    if (open < 0 || close <= open)
        return std::nullopt;
    return DiagnosticFrame{
        text.sliced(open + 1, close - open - 1).toString(), {}, LeadingNumber(text.sliced(close + onLine.size()))};
}

// A warning's place, when makensis read it from the script: "message (file:line)".
void TakeTrailingPlace(Diagnostic& warning) {
    static const QRegularExpression place(QStringLiteral(R"(\s\(([^()]+):(\d+)\)$)"));
    const QRegularExpressionMatch match = place.match(warning.message);
    if (!match.hasMatch())
        return;
    warning.file = match.captured(1);
    warning.line = match.captured(2).toInt();
    warning.message.truncate(match.capturedStart());
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

void CDiagnosticParser::Feed(QByteArrayView utf8) {
    m_lines.Feed(utf8, [this](QByteArrayView line) { ReadLine(line); });
}

void CDiagnosticParser::Finish() {
    m_lines.Finish([this](QByteArrayView line) { ReadLine(line); });
    CloseError();
    FlushLoneError();
}

QList<Diagnostic> CDiagnosticParser::TakeDiagnostics() { return std::exchange(m_diagnostics, {}); }

void CDiagnosticParser::ReadLine(QByteArrayView rawLine) {
    const QString line = QString::fromUtf8(WithoutTrailingCr(rawLine));
    if (m_inSummary) {
        // The summary repeats every warning, indented; they were counted already.
        if (line.isEmpty() || line.startsWith(u' '))
            return;
        m_inSummary = false;
    }
    if (ReadFrame(line))
        return;
    CloseError();
    if (line.isEmpty())
        return;
    FlushLoneError();
    if (const std::optional<QString> text = WarningText(line)) {
        Diagnostic warning{DiagnosticSeverity::Warning, *text, {}, 0, {}, {line}};
        TakeTrailingPlace(warning);
        m_diagnostics.append(std::move(warning));
    } else if (IsSummaryHeader(line)) {
        m_inSummary = true;
    } else if (line.startsWith(u"Error: ", CaseInsensitive)) {
        m_loneError = Diagnostic{DiagnosticSeverity::Error, line.sliced(7), {}, 0, {}, {line}};
        m_lastMessage = line.sliced(7);
        m_lastMessageLine = line;
    } else if (!line.startsWith(u"Usage: ") || m_lastMessage.isEmpty()) {
        // A usage line only explains the message before it.
        m_lastMessage = line;
        m_lastMessageLine = line;
    }
}

bool CDiagnosticParser::ReadFrame(const QString& line) {
    std::optional<DiagnosticFrame> frame;
    bool outermost = false;
    if (line.startsWith(u"!include: error in script: ", CaseInsensitive)) {
        frame = QuotedFileFrame(line);
    } else if (line.startsWith(u"Error in script ", CaseInsensitive)) {
        frame = QuotedFileFrame(line);
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
        m_openError = Diagnostic{DiagnosticSeverity::Error, m_lastMessage, {}, 0, {}, {}};
        if (!m_lastMessageLine.isEmpty())
            m_openError->sourceLines.append(m_lastMessageLine);
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
