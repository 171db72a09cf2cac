// Where the settings window's changes reach the frame: its views, its caption and its side pane.
#include "app/ui/settings_targets.h"

#include "app/ui/compile_controller.h"
#include "app/ui/document_set.h"
#include "app/ui/main_frame.h"
#include "app/ui/side_pane_controller.h"
#include "config/core/language.h"
#include "outline/ui/code_pane_view.h"

#include <vector>

namespace {

// Every view that shows a script: the open editors, the thumbnail and the log.
std::vector<CScrivoView*> AllScriptViews(const CMainFrame& frame) {
    std::vector<CScrivoView*> views;
    const DocumentSet& documents = frame.Documents();
    for (int i = 0; i < documents.Count(); ++i) {
        if (const CEditerTabViewItem* document = documents.DocumentAt(i))
            views.push_back(document->View());
    }
    if (CScrivoView* thumbnail = frame.SidePane().Thumbnail())
        views.push_back(thumbnail);
    if (CScrivoView* log = frame.Compiler().Log())
        views.push_back(log);
    return views;
}

}  // namespace

void ApplySettingsToAllViews(const CMainFrame& frame) {
    for (CScrivoView* view : AllScriptViews(frame))
        view->ApplySettings();
}

void ApplyStylesToAllViews(const CMainFrame& frame) {
    for (CScrivoView* view : AllScriptViews(frame))
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
