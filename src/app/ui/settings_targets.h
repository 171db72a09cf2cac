// Where the settings window's changes reach the frame: its views, its caption and its side pane.
#pragma once

#include "config/ui/settings_controller.h"

class CompileController;
class DocumentSet;
class SidePaneController;

// The views are the open editors, the thumbnail and the log; the caption and
// the side pane are the frame's to redo.
SettingsTargets FrameSettingsTargets(const DocumentSet& documents, const SidePaneController& sidePane,
                                     const CompileController& compile, std::function<void()> captionChanged,
                                     std::function<void()> paneSideChanged);
