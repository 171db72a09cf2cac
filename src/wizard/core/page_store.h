// What the wizard's pages store: their inputs trimmed and checked into WizardData, or the reason they refuse.
#pragma once

#include "nsis/core/stat_item.h"
#include "wizard/core/install_entries.h"
#include "wizard/core/wizard_data.h"

#include <QList>
#include <QString>
#include <optional>

// The input a refusal points at; the page focuses it and selects its text.
enum class WizardField {
    AppName,
    AppVersion,
    SetupFile,
    SetupIcon,
    SetupLeftBitmap,
    SetupTopBitmap,
    InstallDir,
    LicenseFile,
    UninstIcon,
    UninstLeftBitmap,
    UninstTopBitmap,
    StatNumber,
    InstallVersion,
    GroupName,
    EntryDestination,
    LinkPath,
    LinkTarget
};

struct StoreRefusal {
    QString text;
    QString caption;
    WizardField field;
};
// Empty when the page stored; a refusing page leaves the record as it was.
using StoreResult = std::optional<StoreRefusal>;

struct AppInfoInput {
    QString name, version, publisher, webSite;
    BrandingChoice branding = BrandingChoice::Maker;
    QString customBranding;
};
StoreResult StoreAppInfo(WizardData& data, const AppInfoInput& input);

struct AppOptionInput {
    UiKind uiKind = UiKind::Modern;
    bool xpStyle = false;
    QString setupFile, setupIcon, setupLeftBitmap, setupTopBitmap;
    SetupLanguage language = SetupLanguage::SimpChinese;
    int compressor = 4;
};
// nsisDir: what ${NSISDIR} stands for, to find the files the paths name; empty when unknown.
StoreResult StoreAppOption(WizardData& data, const AppOptionInput& input, const QString& nsisDir = {});

struct AppRootInput {
    QString installDir;
    bool allowDirChange = true;
    bool useLicense = true;
    QString licenseFile;
    LicenseMode licenseMode = LicenseMode::ClassicButton;
};
// The license is checked only for the interfaces that show it.
StoreResult StoreAppRoot(WizardData& data, const AppRootInput& input, const QString& nsisDir = {});

// The files page stores its option; leaving it forgets the main program.
void StoreAppFile(WizardData& data, bool allowComponents);

struct AppLinkInput {
    QString startMenuFolder;
    bool allowStartMenuChange = false;
    bool webShortcut = true;
    bool uninstShortcut = true;
};
// The shortcut rows themselves are edited in the record while the page shows them.
void StoreAppLink(WizardData& data, const AppLinkInput& input);

void StoreAppRun(WizardData& data, const QString& program, const QString& parameters, const QString& readme);

struct AppRemoveInput {
    bool createUninstaller = true;
    QString uninstIcon, uninstLeftBitmap, uninstTopBitmap;
    RemoveMode removeMode = RemoveMode::Simple;
};
// Checks the graphics that the script will name, for the interface page 2 chose.
StoreResult StoreAppRemove(WizardData& data, const AppRemoveInput& input, const QString& nsisDir = {});

// The statistics number and the installer version, each valid or empty.
StoreResult CheckStatInputs(const QString& statNumber, const QString& installVersion);
StoreResult StoreAppCount(WizardData& data, const QString& statNumber, const QString& installVersion,
                          const QList<StatItem>& statList);

// Compiling needs the saved file.
void StoreAppEnd(WizardData& data, bool saveScript, bool compileScript);

// The file dialog: entries need a destination.
StoreResult CheckEntryInput(const EntryInput& input);

// The group dialog: a group needs a name.
StoreResult CheckGroupName(const QString& name);
// The shortcut dialog: a link and a target make a new row (row -1) or replace the given row.
StoreResult StoreShortcutRow(QList<ShortcutItem>& shortcuts, int row, const QString& linkPath, const QString& target);
