// The output buffer of the script generator and its stages, one function per part of the script.
#pragma once

#include "wizard/core/wizard_data.h"

#include <QString>
#include <initializer_list>

struct ScriptBuffer {
    QString text;
    // Set once a start menu folder was created, so the uninstaller removes it.
    bool startMenuDirCreated = false;

    void Line(const QString& line);
    void Line(const char* line);
    // The format with each "%s" replaced, in order, by a value taken as it stands.
    void Line(const QString& format, std::initializer_list<QString> values);
    void Blank();
};

// One text in the installer's three languages.
struct LanguageTexts {
    const char* simpChinese;
    const char* tradChinese;
    const char* english;
};
// The text for the installer's language; unknown values take the Simplified Chinese one.
const char* ByLanguage(SetupLanguage language, const LanguageTexts& texts);
// Names of the links to the home page and to the uninstaller; "%s" takes the product name.
extern const LanguageTexts kHomepageLinkName;
extern const LanguageTexts kUninstallLinkName;
// Where such a link lies: in the user's group with the start menu page, else in the folder
// named after the product.
QString StartMenuLink(const WizardData& data, const LanguageTexts& linkName);
// The product name as the start menu folder and link names take it.
QString ProductFolder(const WizardData& data);
// Section numbers are written with two digits: SEC01.
QString SectionNumber(qsizetype index);

void WriteHeader(const WizardData& data, ScriptBuffer& out);
void WriteInterface(const WizardData& data, ScriptBuffer& out);
void WriteVersionInfo(const WizardData& data, ScriptBuffer& out);
void WriteLogSection(const WizardData& data, ScriptBuffer& out);
void WriteInstallSections(const WizardData& data, ScriptBuffer& out);
void WriteAdditionalIcons(const WizardData& data, ScriptBuffer& out);
void WritePostSection(const WizardData& data, ScriptBuffer& out);
void WriteSectionDescriptions(const WizardData& data, ScriptBuffer& out);
void WriteUninstaller(const WizardData& data, ScriptBuffer& out);
void WriteFunctions(const WizardData& data, ScriptBuffer& out);
