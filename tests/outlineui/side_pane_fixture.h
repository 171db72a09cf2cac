// A shown main frame with helpers to reach the side pane's outline tree and thumbnail.
#pragma once

#include "app/frame_fixture.h"
#include "app/ui/pane_container.h"
#include "app/ui/side_pane_controller.h"
#include "editor/ui/qsci_base.h"
#include "outline/ui/code_pane_view.h"
#include "outline/ui/code_tree_ctrl.h"

#include <QTest>
#include <functional>

class SidePaneTest : public FrameTest {
protected:
    using Sci = QsciScintillaBase;

    void SetUp() override {
        FrameTest::SetUp();
        m_frame->resize(1000, 700);
        m_frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_frame.get()));
    }

    CCodeTreeCtrl& Tree() { return *m_frame->SidePane().Tree(); }
    CCodePaneView& Thumb() { return *m_frame->SidePane().Thumbnail(); }
    CScrivoView& Editor() { return *m_frame->ActiveView(); }

    // Lets timers, the outline worker and paints run until done() holds.
    static bool WaitFor(const std::function<bool()>& done, int timeoutMs = 5000) {
        QDeadlineTimer deadline(timeoutMs);
        while (!done()) {
            if (deadline.hasExpired())
                return false;
            QTest::qWait(10);
        }
        return true;
    }

    // Paints and layout changes settle.
    static void Repaint() { QTest::qWait(50); }

    QStringList TopLabels() {
        QStringList labels;
        for (int i = 0; i < Tree().topLevelItemCount(); ++i)
            labels << Tree().topLevelItem(i)->text(0);
        return labels;
    }
    std::string Shown() { return TopLabels().join(u'|').toStdString(); }

    // A script of count lines, with a function every hundred lines.
    static QByteArray NumberedScript(int count) {
        QByteArray text;
        for (int i = 0; i < count; ++i) {
            text += i % 100 == 50 ? QByteArray("Function F") + QByteArray::number(i) : "  DetailPrint " + QByteArray::number(i);
            text += "\r\n";
        }
        return text;
    }

    static long First(const CScrivoView& view) { return view.Send(Sci::SCI_GETFIRSTVISIBLELINE); }
    static long CaretLine(const CScrivoView& view) {
        return view.Send(Sci::SCI_LINEFROMPOSITION, (unsigned long)view.Send(Sci::SCI_GETCURRENTPOS));
    }
};
