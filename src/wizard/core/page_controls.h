// Which controls of the wizard's pages the user can change, following the interface kind and the page's own switches.
#pragma once

#include "wizard/core/wizard_data.h"

// Page 2: the XP look belongs to the classic interface, the two bitmaps to the modern one.
struct OptionControls {
    bool xpStyle = false;
    bool bitmaps = false;
};
OptionControls OptionControlsFor(UiKind kind);

// Page 3: a silent installer shows no pages, so it asks for no directory and no license.
struct RootControls {
    bool pageSwitches = false;     // "allow directory change" and "use license"
    bool licenseControls = false;  // path, browse button, license modes
};
RootControls RootControlsFor(UiKind kind, bool useLicense);

// Page 5.
bool CanChangeStartMenu(UiKind kind);
bool CanLinkWebSite(const QString& appWebSite);

// Page 6: only the modern finish page runs a program or opens a readme.
bool CanRunAfterInstall(UiKind kind);

// Page 7: nothing to set without an uninstaller; its bitmaps belong to the modern interface.
struct RemoveControls {
    bool iconAndModes = false;
    bool bitmaps = false;
};
RemoveControls RemoveControlsFor(UiKind kind, bool createUninstaller);
