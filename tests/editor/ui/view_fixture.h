// A shown main frame with one new blank document, for tests of the editor view.
#pragma once

#include "support/frame_fixture.h"

#include "editor/ui/scrivo_view.h"

class ViewTest : public FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        m_frame->resize(900, 600);
        m_frame->show();
        Docs().NewBlank();
        m_view = Docs().ActiveView();
        ASSERT_NE(m_view, nullptr);
        Settle();
    }

    CScrivoView* m_view = nullptr;
};
