// A shown main frame with helpers to reach the side pane's outline tree and thumbnail.
#pragma once

#include "outline_rows.h"
#include "support/shown_frame.h"
#include "outline/ui/pane_container.h"
#include "outline/ui/side_pane_controller.h"
#include "outline/ui/thumbnail_view.h"
#include "outline/ui/code_tree_ctrl.h"

#include <QTest>
#include <functional>

class SidePaneTest : public ShownFrameTest {
protected:
    using Sc = ScintillaCall;

    CCodeTreeCtrl& Tree() { return *FrameSidePane(*m_frame).Tree(); }
    CCodePaneView& Thumb() { return *FrameSidePane(*m_frame).Thumbnail(); }
    CScrivoView& Editor() { return *FrameActiveView(*m_frame); }

    // Lets timers, the outline worker and paints run until done() holds.
    static bool WaitFor(const std::function<bool()>& done) { return QTest::qWaitFor(done, 5000); }

    QModelIndex TopItem(int row) { return Tree().model()->index(row, 0); }
    int TopCount() { return Tree().model()->rowCount(); }
    QStringList Rows() { return TreeRows(*Tree().model()); }
    std::string Shown() { return Rows().join(u'|').toStdString(); }

    // A script of count lines, with a function every hundred lines.
    static QByteArray NumberedScript(int count) {
        QByteArray text;
        for (int i = 0; i < count; ++i) {
            text += i % 100 == 50 ? QByteArray("Function F") + QByteArray::number(i)
                                  : "  DetailPrint " + QByteArray::number(i);
            text += "\r\n";
        }
        return text;
    }
};
