// Compile outcome: the status-bar text and the problem list's order after a compile.
#include "compiler/core/compile_outcome.h"

#include <algorithm>

using namespace Qt::StringLiterals;

qsizetype ErrorCount(const QList<Diagnostic>& diagnostics) {
    return std::count_if(diagnostics.begin(), diagnostics.end(),
                         [](const Diagnostic& d) { return d.severity == DiagnosticSeverity::Error; });
}

QString CompileOutcomeText(const CompileResult& result) {
    if (result.stopped)
        return u"编译已停止"_s;
    if (!result.started)
        return u"编译失败：无法启动编译器"_s;
    const qsizetype errors = ErrorCount(result.diagnostics);
    const qsizetype warnings = result.diagnostics.size() - errors;
    if (result.exitCode == 0)
        return warnings == 0 ? u"编译成功"_s : u"编译成功：%1 个警告"_s.arg(warnings);
    return u"编译失败：%1 个错误，%2 个警告"_s.arg(errors).arg(warnings);
}

void AddFailureDiagnostic(CompileResult& result) {
    if (!result.started || result.stopped || result.exitCode == 0)
        return;
    if (ErrorCount(result.diagnostics) > 0)
        return;
    Diagnostic failure;
    failure.message = result.exitCode < 0 ? u"编译器异常退出"_s : u"编译器以退出码 %1 结束"_s.arg(result.exitCode);
    result.diagnostics.append(failure);
}

QList<Diagnostic> ErrorsFirst(QList<Diagnostic> diagnostics) {
    std::stable_partition(diagnostics.begin(), diagnostics.end(),
                          [](const Diagnostic& d) { return d.severity == DiagnosticSeverity::Error; });
    return diagnostics;
}

int DiagnosticOfOutputLine(const QList<Diagnostic>& diagnostics, QString line) {
    while (line.endsWith(u'\n') || line.endsWith(u'\r'))
        line.chop(1);
    if (line.trimmed().isEmpty())
        return -1;
    const bool inSummary = line.startsWith(u' ');
    const QString numbered = u"warning "_s + line.trimmed();
    const QString plain = u"warning: "_s + line.trimmed();
    for (qsizetype i = 0; i < diagnostics.size(); ++i) {
        for (const QString& source : diagnostics[i].sourceLines) {
            if (source == line || (inSummary && (source == numbered || source == plain)))
                return int(i);
        }
    }
    return -1;
}
