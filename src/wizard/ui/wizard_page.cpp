// CWizardPage: the record, the title band and the refusals of a wizard page.
#include "wizard/ui/wizard_page.h"

#include "wizard/ui/wizard_widgets.h"

#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

CWizardPage::CWizardPage(WizardData& data, Prompter& prompter, const QString& title, QWidget* parent)
    : QWidget(parent), m_data(data), m_prompter(prompter) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    if (!title.isEmpty()) {
        auto* heading = Heading(title, 1.2, this);
        heading->setObjectName(u"pageTitle"_s);
        layout->addWidget(heading);
        auto* line = new QFrame(this);
        line->setFrameShape(QFrame::HLine);
        line->setFrameShadow(QFrame::Sunken);
        layout->addWidget(line);
    }
    m_body = new QVBoxLayout;
    layout->addLayout(m_body, 1);
}

bool CWizardPage::Accept(const StoreResult& result) {
    if (!result)
        return true;
    ShowRefusal(m_prompter, *result, FieldWidget(result->field));
    return false;
}

QWidget* CWizardPage::FieldWidget(WizardField) const { return nullptr; }
