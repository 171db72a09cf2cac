// WizardData: the installer description the new-script wizard gathers and the generator reads.
#pragma once

#include <QList>
#include <QString>

enum class UiKind { Modern = 0, Classic = 1, Silent = 2 };
enum class SetupLanguage { SimpChinese = 0, TradChinese = 1, English = 2 };
enum class LicenseMode { ClassicButton = 0, CheckBox = 1, RadioButtons = 2 };
// Safe removal relies on "LogSet on", which Debian's makensis (built without NSIS_CONFIG_LOG)
// refuses; the wizard's page has to tell the user so.
enum class RemoveMode { Simple = 0, Safe = 1 };
enum class OverwriteMode { On = 0, Off = 1, Try = 2, IfNewer = 3 };

struct InstallFile {
    QString source;  // a file, or a directory followed by "\*.*"
    QString destDir;
    QString installedPath;  // see InstalledPath()
    OverwriteMode overwrite = OverwriteMode::IfNewer;
    bool recursive = false;
    bool isFile = true;
};

struct InstallGroup {
    QString name;
    QString description;
    QList<InstallFile> files;  // in insertion order
};

struct ShortcutItem {
    QString linkPath;  // e.g. "$ICONS_GROUP\App.lnk"
    QString target;
    bool createFolder = false;
};

struct WizardData {
    WizardData();

    QString appName;
    QString appVersion;
    QString appPublisher;
    QString appWebSite;
    QString brandingText;

    UiKind uiKind = UiKind::Modern;
    bool xpStyle = false;
    QString setupFile;
    QString setupIcon;
    QString setupLeftBitmap;
    QString setupTopBitmap;
    SetupLanguage language = SetupLanguage::SimpChinese;
    int compressor = 4;  // 0..7, see the compressor table of the generator

    QString installDir;
    bool allowDirChange = true;
    QString licenseFile;  // empty: no license page
    LicenseMode licenseMode = LicenseMode::ClassicButton;

    bool allowComponents = false;
    QList<InstallGroup> groups;

    QString mainExeName;
    QString mainExePath;
    QString startMenuFolder;
    bool allowStartMenuChange = false;
    bool webShortcut = true;
    bool uninstShortcut = true;
    QList<ShortcutItem> shortcuts;

    QString runProgram;
    QString runParameters;
    QString readmeFile;

    bool createUninstaller = true;
    QString uninstLeftBitmap;
    QString uninstTopBitmap;
    QString uninstIcon;
    RemoveMode removeMode = RemoveMode::Simple;

    QString statNumber;
    QString statItemName;
    QString installVersion;

    bool saveScript = false;
    bool compileScript = false;

    QString script;
};

// Install directory proposed on page 3 every time it is entered: the product's
// name as a folder of the programs folder.
QString DefaultInstallDir(const QString& appName);

// Items of page 1's branding list; the first is the default.
enum class BrandingChoice { Maker = 0, Custom = 1, None = 2 };
QString MakerBrandingText();
// The text stored for a branding choice; the custom text is trimmed. "None" is a single
// blank because NSIS shows its own text for an empty BrandingText.
QString BrandingTextFor(BrandingChoice choice, const QString& customText);
