// A main frame over a real configuration, with helpers to reach the active editor and the command states.
#pragma once

#include "support/frame_fixture.h"
#include "app/ui/frame_status_bar.h"
#include "editor/ui/scintilla_call.h"
#include "editor/ui/scrivo_view.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <utility>

using namespace Qt::StringLiterals;
using Sc = ScintillaCall;

class FrameCommandsTest : public FrameTest {
protected:
    bool Checked(int id) const { return FrameActions(*m_frame).Action(id)->isChecked(); }
    QString Part(int part) const { return FrameStatus(*m_frame)->PartText(part); }
    CScrivoView* View() const { return FrameActiveView(*m_frame); }
    ScintillaCall& Call() const { return View()->Call(); }
    QAbstractScrollArea& Editor() const { return *Call().Widget(); }
    QByteArray Text() const { return View()->Text(); }
    // Replaces the text without an undo step for it.
    void SetText(const QByteArray& utf8) const {
        Call().SetText(utf8);
        Call().EmptyUndoBuffer();
        Settle();
    }
    void Select(long anchor, long caret) const { Call().SetSel(anchor, caret); }
    std::pair<long, long> Selection() const {
        return {Call().SelectionStart(), Call().SelectionEnd()};
    }
    void ShowActive() {
        m_frame->show();
        QApplication::setActiveWindow(m_frame.get());
        Editor().setFocus();
        Settle();
    }
};
