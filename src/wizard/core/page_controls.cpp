// Which controls of the wizard's pages the user can change.
#include "wizard/core/page_controls.h"

OptionControls OptionControlsFor(UiKind kind) { return {kind == UiKind::Classic, kind == UiKind::Modern}; }

RootControls RootControlsFor(UiKind kind, bool useLicense) {
    const bool shown = kind != UiKind::Silent;
    return {shown, shown && useLicense};
}

bool CanChangeStartMenu(UiKind kind) { return kind == UiKind::Modern; }

bool CanLinkWebSite(const QString& appWebSite) { return !appWebSite.isEmpty(); }

bool CanRunAfterInstall(UiKind kind) { return kind == UiKind::Modern; }

RemoveControls RemoveControlsFor(UiKind kind, bool createUninstaller) {
    return {createUninstaller, createUninstaller && kind == UiKind::Modern};
}
