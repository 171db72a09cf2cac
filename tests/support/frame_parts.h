// The main frame's parts as tests and benchmarks reach them: through its tree of child objects.
#pragma once

#include "app/core/command_ids.h"
#include "app/ui/command_actions.h"
#include "app/ui/document_set.h"
#include "app/ui/file_tab_ctrl.h"
#include "app/ui/frame_commands.h"
#include "app/ui/frame_status_bar.h"
#include "app/ui/main_frame.h"
#include "app/ui/start_page_view.h"
#include "compiler/ui/compile_controller.h"
#include "compiler/ui/compile_log_ctrl.h"
#include "outline/ui/pane_container.h"
#include "outline/ui/side_pane_controller.h"

#include <QAction>

// The frame has one of each; a missing one stops the run at once.
template <class Part>
Part* FramePart(const CMainFrame& frame) {
    Part* part = frame.findChild<Part*>();
    if (!part)
        qFatal("The frame has no %s", Part::staticMetaObject.className());
    return part;
}

inline DocumentSet& FrameDocuments(const CMainFrame& frame) { return *FramePart<DocumentSet>(frame); }
inline CommandActions& FrameActions(const CMainFrame& frame) { return *FramePart<CommandActions>(frame); }
inline FrameCommands& FrameEditing(const CMainFrame& frame) { return *FramePart<FrameCommands>(frame); }
inline CompileController& FrameCompiler(const CMainFrame& frame) { return *FramePart<CompileController>(frame); }
inline SidePaneController& FrameSidePane(const CMainFrame& frame) { return *FramePart<SidePaneController>(frame); }
inline CFileTabCtrl* FrameTabs(const CMainFrame& frame) { return FramePart<CFileTabCtrl>(frame); }
inline CNewWizardDlg* FrameStartPage(const CMainFrame& frame) { return FramePart<CNewWizardDlg>(frame); }
inline FrameStatusBar* FrameStatus(const CMainFrame& frame) { return FramePart<FrameStatusBar>(frame); }
inline CPaneContainer* FrameCodePane(const CMainFrame& frame) { return FramePart<CPaneContainer>(frame); }
inline CScrivoView* FrameActiveView(const CMainFrame& frame) { return FrameDocuments(frame).ActiveView(); }

// The side pane's check marks follow what it shows.
inline bool OutlineShown(const CMainFrame& frame) { return FrameActions(frame).Action(Cmd::ToggleOutline)->isChecked(); }
inline bool ThumbnailShown(const CMainFrame& frame) {
    return FrameActions(frame).Action(Cmd::ToggleThumbnail)->isChecked();
}
// The log pane is shown, whether or not the frame is.
inline bool LogShown(const CMainFrame& frame) { return FrameCompiler(frame).Log()->isVisibleTo(&frame); }
