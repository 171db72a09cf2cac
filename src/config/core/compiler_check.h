// CheckCompiler: whether a chosen file runs as the NSIS compiler (it answers "-VERSION").
#pragma once

#include <QString>

enum class CompilerProblem { None, Missing, NotExecutable, DidNotStart, NoAnswer, Failed };

struct CompilerCheck {
    CompilerProblem problem = CompilerProblem::None;
    int exitCode = 0;  // with Failed
    QString version;   // with None, e.g. "v3.08-3+deb12u1"

    bool Runs() const { return problem == CompilerProblem::None; }
};

// Runs `path -VERSION`; a program that does not end within timeoutMs is stopped.
CompilerCheck CheckCompiler(const QString& path, int timeoutMs);
