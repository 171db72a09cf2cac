// CAppCount: wizard page 8.
#include "wizard/ui/app_count.h"

#include "wizard/ui/stat_number_panel.h"
#include "wizard/ui/wizard_widgets.h"

#include <QVBoxLayout>

using namespace Qt::StringLiterals;

CAppCount::CAppCount(WizardData& data, Prompter& prompter, QWidget* parent)
    : CWizardPage(data, prompter, u"安装量统计属性 (8/8)"_s, parent), m_panel(new CStatNumberPanel(this)) {
    m_panel->SetNumber(data.statNumber);
    m_panel->SetVersion(data.installVersion);
    Body()->addWidget(m_panel);
    Body()->addStretch(1);
}

bool CAppCount::Enter() {
    m_panel->Focus(WizardField::StatNumber);
    return true;
}

bool CAppCount::Store() {
    if (const StoreResult refused = m_panel->Validate()) {
        ShowRefusal(Ask(), *refused, nullptr);
        m_panel->Focus(refused->field);
        return false;
    }
    // Item names come with the statistics list, which only a signed-in user has.
    return Accept(StoreAppCount(Data(), m_panel->Number(), m_panel->Version(), {}));
}
