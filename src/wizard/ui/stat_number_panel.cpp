// CStatNumberPanel: the statistics number and installer version form.
#include "wizard/ui/stat_number_panel.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

CStatNumberPanel::CStatNumberPanel(QWidget* parent)
    : QWidget(parent), m_servicePlace(new QVBoxLayout), m_number(new QLineEdit(this)), m_version(new QLineEdit(this)) {
    m_number->setObjectName(u"statNumber"_s);
    m_version->setObjectName(u"installVersion"_s);
    auto* versionHint = new QLabel(u"(统计不同版本的安装情况，格式如：2.0.1.2的4组数字)"_s, this);
    versionHint->setWordWrap(true);

    auto* form = new QGridLayout;
    form->addWidget(new QLabel(u"安装统计编号："_s, this), 0, 0);
    form->addWidget(m_number, 0, 1);
    form->addWidget(new QLabel(u"安装包版本号："_s, this), 1, 0);
    form->addWidget(m_version, 1, 1);
    form->addWidget(versionHint, 2, 1);
    form->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_servicePlace->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(m_servicePlace);
    layout->addLayout(form);
}

QString CStatNumberPanel::Number() const { return m_number->text(); }

void CStatNumberPanel::SetNumber(const QString& number) { m_number->setText(number); }

QString CStatNumberPanel::Version() const { return m_version->text(); }

void CStatNumberPanel::SetVersion(const QString& version) { m_version->setText(version); }

StoreResult CStatNumberPanel::Validate() const { return CheckStatInputs(Number(), Version()); }

void CStatNumberPanel::Focus(WizardField field) {
    QLineEdit* edit = field == WizardField::InstallVersion ? m_version : m_number;
    edit->setEnabled(true);
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
}
