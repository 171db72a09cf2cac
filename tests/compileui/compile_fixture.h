// A shown main frame with the real makensis, and helpers to wait for its compiles.
#pragma once

#include "app/frame_fixture.h"
#include "app/ui/compile_controller.h"
#include "compiler/core/compile_log_logic.h"
#include "compiler/ui/compile_log_ctrl.h"
#include "editor/ui/qsci_base.h"

#include <QEventLoop>
#include <QTest>
#include <QTimer>

using Sci = QsciScintillaBase;

// "Name", "OutFile" and a section; more lines to make the script longer.
inline QByteArray HelloScript(int extraLines = 0) {
    QByteArray text = "Name \"Hello\"\nOutFile \"hello.exe\"\nRequestExecutionLevel user\nSection\n";
    for (int i = 0; i < extraLines; ++i)
        text += "  DetailPrint \"line\"\n";
    return text + "SectionEnd\n";
}

class CompileFrameTest : public FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        m_frame->resize(1000, 700);
        m_frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_frame.get()));
    }

    CompileController& Compiler() const { return m_frame->Compiler(); }
    CCompileLogLogic& Logic() const { return Compiler().Logic(); }
    QByteArray LogText() const { return Compiler().Log()->Text(); }
    bool Enabled(int id) const { return m_frame->Commands().Action(id)->isEnabled(); }

    // Runs the event loop until the running compile has finished.
    bool WaitForCompile(int ms = 60000) {
        if (Logic().IsCompiling()) {
            QEventLoop loop;
            QObject::connect(&Logic(), &CCompileLogLogic::CompileFinished, &loop, &QEventLoop::quit,
                             Qt::QueuedConnection);
            QTimer::singleShot(ms, &loop, &QEventLoop::quit);
            loop.exec();
        }
        return !Logic().IsCompiling();
    }

    // Opens the script and compiles it with the command id.
    CScrivoView* OpenAndCompile(const QString& path, int command = Cmd::Compile) {
        if (!Docs().OpenDocument(path, false))
            return nullptr;
        m_frame->OnCommand(command);
        return Docs().ActiveView();
    }

    long CaretLine(const CScrivoView* view) const {
        return view->Send(Sci::SCI_LINEFROMPOSITION, (unsigned long)view->Send(Sci::SCI_GETCURRENTPOS));
    }
};
