// The headless check's report of a compile, as lines for a terminal or as one JSON document.
#include "compiler/core/check_report.h"

#include "compiler/core/compile_outcome.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace {
QString SeverityName(DiagnosticSeverity severity) {
    return severity == DiagnosticSeverity::Error ? u"error"_s : u"warning"_s;
}

QString PlacePrefix(const QString& file, int line) {
    return file.isEmpty() || line <= 0 ? QString() : u"%1:%2: "_s.arg(file).arg(line);
}

// What led from frame `outer` into the frame inside it.
QString FrameNote(const DiagnosticFrame& outer, const DiagnosticFrame* inner) {
    if (!outer.macro.isEmpty()) {
        const QString text = u"note: 在宏 %1 中"_s.arg(outer.macro);
        return outer.file.isEmpty() ? text + u"（第 %1 行）"_s.arg(outer.line) : PlacePrefix(outer.file, outer.line) + text;
    }
    const bool fromMacro = inner && !inner->macro.isEmpty();
    return PlacePrefix(outer.file, outer.line) + (fromMacro ? u"note: 在此插入宏"_s : u"note: 在此包含"_s);
}

void AppendDiagnosticText(QString& text, const Diagnostic& diagnostic) {
    text += PlacePrefix(diagnostic.file, diagnostic.line) + SeverityName(diagnostic.severity) + u": "_s
          + diagnostic.message + u'\n';
    if (!diagnostic.details.isEmpty()) {
        for (const QString& line : diagnostic.details.split(u'\n'))
            text += u"    "_s + line.trimmed() + u'\n';
    }
    // The frame the place came from needs no note of its own.
    bool placeSeen = false;
    for (qsizetype i = 0; i < diagnostic.frames.size(); ++i) {
        const DiagnosticFrame& frame = diagnostic.frames[i];
        if (!placeSeen && frame.file == diagnostic.file && frame.line == diagnostic.line) {
            placeSeen = true;
            continue;
        }
        text += FrameNote(frame, i > 0 ? &diagnostic.frames[i - 1] : nullptr) + u'\n';
    }
}

QJsonObject DiagnosticJson(const Diagnostic& diagnostic) {
    QJsonObject object{{u"severity"_s, SeverityName(diagnostic.severity)}, {u"message"_s, diagnostic.message}};
    if (!diagnostic.details.isEmpty())
        object.insert(u"details"_s, diagnostic.details);
    if (diagnostic.HasPlace()) {
        object.insert(u"file"_s, diagnostic.file);
        object.insert(u"line"_s, diagnostic.line);
    }
    QJsonArray frames;
    for (const DiagnosticFrame& frame : diagnostic.frames) {
        QJsonObject entry{{u"line"_s, frame.line}};
        if (!frame.file.isEmpty())
            entry.insert(u"file"_s, frame.file);
        if (!frame.macro.isEmpty())
            entry.insert(u"macro"_s, frame.macro);
        frames.append(entry);
    }
    object.insert(u"frames"_s, frames);
    return object;
}
}  // namespace

CheckExit CheckExitOf(const CompileResult& result) {
    if (!result.started)
        return CheckExit::CouldNotRun;
    return result.exitCode != 0 || ErrorCount(result.diagnostics) > 0 ? CheckExit::Errors : CheckExit::Clean;
}

QString CheckReportText(const CompileResult& result) {
    QString text;
    for (const Diagnostic& diagnostic : result.diagnostics)
        AppendDiagnosticText(text, diagnostic);
    return text + CompileOutcomeText(result) + u'\n';
}

QByteArray CheckReportJson(const QString& script, const CompileResult& result) {
    QJsonArray diagnostics;
    for (const Diagnostic& diagnostic : result.diagnostics)
        diagnostics.append(DiagnosticJson(diagnostic));
    const qsizetype errors = ErrorCount(result.diagnostics);
    const QJsonObject report{
        {u"script"_s, script},
        {u"exitCode"_s, int(CheckExitOf(result))},
        {u"compilerExitCode"_s, result.exitCode},
        {u"installer"_s, result.installerPath},
        {u"errors"_s, errors},
        {u"warnings"_s, result.diagnostics.size() - errors},
        {u"summary"_s, CompileOutcomeText(result)},
        {u"diagnostics"_s, diagnostics},
    };
    return QJsonDocument(report).toJson(QJsonDocument::Indented);
}
