// Where the settings window's changes reach the frame: its views, its caption and its side pane.
#include "app/ui/settings_targets.h"

#include "app/ui/compile_controller.h"
#include "app/ui/document_set.h"
#include "app/ui/main_frame.h"
#include "app/ui/side_pane_controller.h"
#include "config/core/language.h"
#include "editor/ui/nsis_text_view.h"
#include "editor/ui/scrivo_view.h"
#include "outline/ui/thumbnail_view.h"

#include <vector>

namespace {

// Every view that shows a script: the open editors, the thumbnail and the log.
std::vector<CNsisTextView*> AllScriptViews(const CMainFrame& frame) {
    std::vector<CNsisTextView*> views;
    const DocumentSet& documents = frame.Documents();
    for (int i = 0; i < documents.Count(); ++i) {
        if (const CEditerTabViewItem* document = documents.DocumentAt(i))
            views.push_back(document->View()->TextView());
    }
    if (CCodePaneView* thumbnail = frame.SidePane().Thumbnail())
        views.push_back(thumbnail->TextView());
    if (CCompileLogCtrl* log = frame.Compiler().Log())
        views.push_back(log->TextView());
    return views;
}

}  // namespace

void ApplySettingsToAllViews(const CMainFrame& frame) {
    for (CNsisTextView* view : AllScriptViews(frame))
        view->ApplySettings();
}

void ApplyStylesToAllViews(const CMainFrame& frame) {
    for (CNsisTextView* view : AllScriptViews(frame))
        view->SetLexer(kNsisLanguageId, 0);
}

SettingsTargets FrameSettingsTargets(CMainFrame& frame) {
    return {
        [&frame] { ApplySettingsToAllViews(frame); },
        [&frame] { ApplyStylesToAllViews(frame); },
        [&frame] { frame.UpdateCaption(); },
        [&frame] { frame.ArrangeSidePane(); },
    };
}
