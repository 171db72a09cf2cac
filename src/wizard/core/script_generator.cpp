// GenerateScript and the output buffer its stages share.
#include "wizard/core/script_generator.h"

#include "wizard/core/nsis_text.h"
#include "wizard/core/script_stages.h"

namespace {
const QLatin1StringView kLineEnd("\r\n");
}

void ScriptBuffer::Line(const QString& line) {
    text += line;
    text += kLineEnd;
}

void ScriptBuffer::Line(const char* line) {
    text += QString::fromUtf8(line);
    text += kLineEnd;
}

void ScriptBuffer::Line(const QString& pattern, std::initializer_list<QString> values) {
    const QString* value = values.begin();
    qsizetype from = 0;
    for (;;) {
        const qsizetype at = pattern.indexOf(QLatin1StringView("%s"), from);
        if (at < 0 || value == values.end())
            break;
        text += QStringView(pattern).sliced(from, at - from);
        text += *value++;
        from = at + 2;
    }
    text += QStringView(pattern).sliced(from);
    text += kLineEnd;
}

void ScriptBuffer::Blank() { text += kLineEnd; }

const char* ByLanguage(SetupLanguage language, const LanguageTexts& texts) {
    switch (language) {
    case SetupLanguage::TradChinese: return texts.tradChinese;
    case SetupLanguage::English: return texts.english;
    default: return texts.simpChinese;
    }
}

const LanguageTexts kHomepageLinkName{"访问%s主页.lnk", "訪問%s主頁.lnk", "%s Homepage.lnk"};
const LanguageTexts kUninstallLinkName{"卸载%s.lnk", "卸載%s.lnk", "Uninstall %s.lnk"};

QString StartMenuLink(const WizardData& data, const LanguageTexts& linkName) {
    const QString product = ProductFolder(data);
    const QString folder = UsesStartMenuPage(data) ? QStringLiteral("$SMPROGRAMS\\$ICONS_GROUP\\")
                                                   : QStringLiteral("$SMPROGRAMS\\") + product + QLatin1Char('\\');
    return folder + QString::fromUtf8(ByLanguage(data.language, linkName)).replace(QStringLiteral("%s"), product);
}

QString ProductFolder(const WizardData& data) { return ProductFileName(data.appName); }

QString SectionNumber(qsizetype index) { return QStringLiteral("%1").arg(index, 2, 10, QLatin1Char('0')); }

bool UsesStartMenuPage(const WizardData& data) { return data.allowStartMenuChange && data.uiKind == UiKind::Modern; }

QString GenerateScript(const WizardData& data) {
    ScriptBuffer out;
    WriteHeader(data, out);
    WriteInterface(data, out);
    WriteVersionInfo(data, out);
    WriteLogSection(data, out);
    WriteInstallSections(data, out);
    WriteAdditionalIcons(data, out);
    WritePostSection(data, out);
    WriteSectionDescriptions(data, out);
    WriteUninstaller(data, out);
    WriteFunctions(data, out);
    return out.text;
}
