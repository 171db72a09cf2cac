// CheckCompiler: whether a chosen file runs as the NSIS compiler (it answers "-VERSION").
#include "config/core/compiler_check.h"

#include <QFileInfo>
#include <QProcess>

using namespace Qt::StringLiterals;

namespace {
// A version line is short; a program that floods its output is not makensis.
constexpr qint64 kMaxAnswer = 200;

CompilerCheck Problem(CompilerProblem problem, int exitCode = 0) {
    CompilerCheck check;
    check.problem = problem;
    check.exitCode = exitCode;
    return check;
}
}  // namespace

CompilerCheck CheckCompiler(const QString& path, int timeoutMs) {
    const QFileInfo file(path);
    if (!file.isFile())
        return Problem(CompilerProblem::Missing);
    if (!file.isExecutable())
        return Problem(CompilerProblem::NotExecutable);
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    // A program that reads its input must not wait for the user.
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(path, {u"-VERSION"_s});
    if (!process.waitForStarted(timeoutMs))
        return Problem(CompilerProblem::DidNotStart);
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished(-1);
        return Problem(CompilerProblem::NoAnswer);
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return Problem(CompilerProblem::Failed, process.exitCode());
    const QString answer = QString::fromLocal8Bit(process.readAll().left(kMaxAnswer));
    CompilerCheck runs;
    runs.version = answer.section(u'\n', 0, 0).trimmed();
    return runs;
}
