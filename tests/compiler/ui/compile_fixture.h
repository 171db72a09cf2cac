// A shown main frame with the real makensis, and helpers to wait for its compiles.
#pragma once

#include "support/shown_frame.h"
#include "compiler/ui/compile_controller.h"
#include "compiler/compile_helpers.h"
#include "compiler/core/compile_log_logic.h"
#include "compiler/ui/compile_log_ctrl.h"
#include "compiler/ui/diagnostics_list.h"

using Sc = ScintillaCall;

class CompileFrameTest : public ShownFrameTest {
protected:
    CompileController& Compiler() const { return FrameCompiler(*m_frame); }
    CCompileLogLogic& Logic() const { return Compiler().Logic(); }
    QByteArray LogText() const { return Compiler().Log()->Text(); }
    CDiagnosticsList& List() const { return *m_frame->findChild<CDiagnosticsList*>(); }

    // A script line that keeps makensis busy; its shell writes its process id to SleeperPidFile().
    QString SleeperPidFile() const { return m_dir.filePath(QStringLiteral("sleeper.pid")); }
    QByteArray SleepingLine() const {
        return "!system \"echo $$ > '" + SleeperPidFile().toUtf8() + "'; exec sleep 30\"\n";
    }

    bool WaitForCompile(int ms = 60000) {
        return QTest::qWaitFor([this] { return !Logic().IsCompiling(); }, ms);
    }

    CScrivoView* OpenAndCompile(const QString& path, int command = Cmd::Compile) {
        if (!Docs().OpenDocument(path, false))
            return nullptr;
        m_frame->OnCommand(command);
        return Docs().ActiveView();
    }
};
