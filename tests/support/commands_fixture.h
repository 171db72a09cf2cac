// A main frame over a real configuration, with helpers to reach the active editor and the command states.
#pragma once

#include "support/frame_fixture.h"
#include "app/ui/frame_status_bar.h"
#include "editor/ui/qsci_base.h"
#include "editor/ui/scrivo_view.h"

#include <QApplication>
#include <utility>

using namespace Qt::StringLiterals;
using Sci = QsciScintillaBase;

class FrameCommandsTest : public FrameTest {
protected:
    bool Enabled(int id) const { return FrameActions(*m_frame).Action(id)->isEnabled(); }
    bool Checked(int id) const { return FrameActions(*m_frame).Action(id)->isChecked(); }
    QString Part(int part) const { return FrameStatus(*m_frame)->PartText(part); }
    CScrivoView* View() const { return FrameActiveView(*m_frame); }
    QsciScintillaBase& Editor() const { return *View()->Editor(); }
    long Send(unsigned int message, unsigned long w = 0, long l = 0) const {
        return Editor().SendScintilla(message, w, l);
    }
    QByteArray Text() const { return View()->Text(); }
    // Replaces the text without an undo step for it.
    void SetText(const QByteArray& utf8) const {
        Editor().SendScintilla(Sci::SCI_SETTEXT, utf8.constData());
        Send(Sci::SCI_EMPTYUNDOBUFFER);
        Settle();
    }
    void Select(long anchor, long caret) const { Send(Sci::SCI_SETSEL, (unsigned long)anchor, caret); }
    std::pair<long, long> Selection() const {
        return {Send(Sci::SCI_GETSELECTIONSTART), Send(Sci::SCI_GETSELECTIONEND)};
    }
    void ShowActive() {
        m_frame->show();
        QApplication::setActiveWindow(m_frame.get());
        Editor().setFocus();
        Settle();
    }
};
