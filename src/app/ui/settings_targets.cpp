// Where the settings window's changes reach the frame: its views, its caption and its side pane.
#include "app/ui/settings_targets.h"

#include "app/ui/document_set.h"
#include "compiler/ui/compile_controller.h"
#include "config/core/language.h"
#include "editor/ui/nsis_text_view.h"
#include "editor/ui/scrivo_view.h"
#include "outline/ui/side_pane_controller.h"
#include "outline/ui/thumbnail_view.h"

#include <vector>

namespace {

// Every view that shows a script: the open editors, the thumbnail and the log.
std::vector<CNsisTextView*> AllScriptViews(const DocumentSet& documents, const SidePaneController& sidePane,
                                           const CompileController& compile) {
    std::vector<CNsisTextView*> views;
    for (int i = 0; i < documents.Count(); ++i) {
        if (const CEditerTabViewItem* document = documents.DocumentAt(i))
            views.push_back(document->View()->TextView());
    }
    if (CCodePaneView* thumbnail = sidePane.Thumbnail())
        views.push_back(thumbnail->TextView());
    if (CCompileLogCtrl* log = compile.Log())
        views.push_back(log->TextView());
    return views;
}

}  // namespace

SettingsTargets FrameSettingsTargets(const DocumentSet& documents, const SidePaneController& sidePane,
                                     const CompileController& compile, std::function<void()> captionChanged,
                                     std::function<void()> paneSideChanged) {
    return {
        [&documents, &sidePane, &compile] {
            for (CNsisTextView* view : AllScriptViews(documents, sidePane, compile))
                view->ApplySettings();
        },
        [&documents, &sidePane, &compile] {
            for (CNsisTextView* view : AllScriptViews(documents, sidePane, compile))
                view->SetLexer(kNsisLanguageId, 0);
        },
        std::move(captionChanged),
        std::move(paneSideChanged),
    };
}
