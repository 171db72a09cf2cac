// Defaults of a new installer description and the small rules of pages 1 and 3.
#include "wizard/core/wizard_data.h"

#include "platform/app_name.h"
#include "platform/maker_hosts.h"
#include "wizard/core/nsis_text.h"

WizardData::WizardData()
    : appName(QStringLiteral("My application")),
      appVersion(QStringLiteral("1.0")),
      appPublisher(QStringLiteral("My company, Inc.")),
      appWebSite(QString::fromLatin1(kSampleCompanyWebSite)),
      brandingText(MakerBrandingText()),
      setupFile(QStringLiteral("setup.exe")),
      // The stock graphics that Debian's NSIS ships; other names would not compile.
      setupIcon(QStringLiteral("${NSISDIR}\\Contrib\\Graphics\\Icons\\modern-install.ico")),
      setupLeftBitmap(QStringLiteral("${NSISDIR}\\Contrib\\Graphics\\Wizard\\win.bmp")),
      setupTopBitmap(QStringLiteral("${NSISDIR}\\Contrib\\Graphics\\Header\\win.bmp")),
      installDir(DefaultInstallDir(appName)),
      licenseFile(QStringLiteral("${NSISDIR}\\license.txt")),
      groups{InstallGroup{QStringLiteral("MainSection"), QString(), {}}},
      startMenuFolder(appName),
      uninstLeftBitmap(QStringLiteral("${NSISDIR}\\Contrib\\Graphics\\Wizard\\win.bmp")),
      uninstTopBitmap(QStringLiteral("${NSISDIR}\\Contrib\\Graphics\\Header\\win.bmp")),
      uninstIcon(QStringLiteral("${NSISDIR}\\Contrib\\Graphics\\Icons\\modern-uninstall.ico")) {}

QString DefaultInstallDir(const QString& appName) {
    return QStringLiteral("$PROGRAMFILES\\") + ProductFileName(appName);
}

QString MakerBrandingText() {
    return kAppName + QLatin1Char('(') + QString::fromLatin1(kMakerWebHost) + QLatin1Char(')');
}

QString BrandingTextFor(BrandingChoice choice, const QString& customText) {
    switch (choice) {
    case BrandingChoice::Maker: return MakerBrandingText();
    case BrandingChoice::Custom: return customText.trimmed();
    case BrandingChoice::None: return QStringLiteral(" ");
    }
    return MakerBrandingText();
}
