// A main frame shown at a fixed size, with the editor positions the UI tests read.
#pragma once

#include "support/frame_fixture.h"
#include "editor/ui/scintilla_call.h"
#include "editor/ui/scrivo_view.h"

#include <QTest>

class ShownFrameTest : public FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        m_frame->resize(1000, 700);
        m_frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_frame.get()));
    }

    // Of any view that shows NSIS text: an editor, the thumbnail, the log.
    template <class View>
    static long First(const View& view) {
        return view.Call().FirstVisibleLine();
    }
    template <class View>
    static long CaretLine(const View& view) {
        return view.Call().LineFromPosition(view.Call().CurrentPos());
    }
};
