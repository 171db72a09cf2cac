// CAppInfo: wizard page 1.
#include "wizard/ui/app_info.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
QLineEdit* Edit(const QString& name, const QString& text, int maxLength, QWidget* parent) {
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(name);
    edit->setMaxLength(maxLength);
    return edit;
}
}  // namespace

CAppInfo::CAppInfo(WizardData& data, Prompter& prompter, QWidget* parent)
    : CWizardPage(data, prompter, u"应用程序信息 (1/8)"_s, parent),
      m_name(Edit(u"appName"_s, data.appName, 30, this)),
      m_version(Edit(u"appVersion"_s, data.appVersion, 30, this)),
      m_publisher(Edit(u"appPublisher"_s, data.appPublisher, 30, this)),
      m_webSite(Edit(u"appWebSite"_s, data.appWebSite, 80, this)),
      m_branding(new QComboBox(this)),
      m_customBranding(Edit(u"customBranding"_s, QString(), 30, this)) {
    m_branding->setObjectName(u"branding"_s);
    // In the order of BrandingChoice.
    m_branding->addItems({MakerBrandingText(), u"自定义文本"_s, u"不显示文本"_s});
    connect(m_branding, &QComboBox::currentIndexChanged, this, &CAppInfo::OnBrandingChosen);
    OnBrandingChosen(m_branding->currentIndex());

    auto* form = new QFormLayout;
    form->addRow(u"应用程序名称："_s, m_name);
    form->addRow(u"应用程序版本："_s, m_version);
    form->addRow(u"应用程序发布者："_s, m_publisher);
    form->addRow(u"应用程序网站："_s, m_webSite);
    form->addRow(u"安装程序底部文字："_s, m_branding);
    form->addRow(u"自定义文本："_s, m_customBranding);
    Body()->addLayout(form);
    Body()->addStretch(1);
}

void CAppInfo::OnBrandingChosen(int index) {
    const bool custom = static_cast<BrandingChoice>(index) == BrandingChoice::Custom;
    m_customBranding->setEnabled(custom);
    if (custom) {
        m_customBranding->setFocus(Qt::OtherFocusReason);
        m_customBranding->selectAll();
    }
}

bool CAppInfo::Store() {
    return Accept(StoreAppInfo(Data(),
                               {m_name->text(), m_version->text(), m_publisher->text(), m_webSite->text(),
                                static_cast<BrandingChoice>(m_branding->currentIndex()), m_customBranding->text()}));
}

QWidget* CAppInfo::FieldWidget(WizardField field) const {
    return field == WizardField::AppName ? m_name : field == WizardField::AppVersion ? m_version : nullptr;
}
