// Where the settings window's changes reach the frame: its views, its caption and its side pane.
#pragma once

#include "config/ui/settings_controller.h"

class CMainFrame;

// The views apply the editing settings again (tab width, tabs or blanks, line numbers, caret line).
void ApplySettingsToAllViews(const CMainFrame& frame);
// The views apply the styles again; their keyword lists stay as they are.
void ApplyStylesToAllViews(const CMainFrame& frame);

SettingsTargets FrameSettingsTargets(CMainFrame& frame);
