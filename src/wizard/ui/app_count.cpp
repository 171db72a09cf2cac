// CAppCount: wizard page 8.
#include "wizard/ui/app_count.h"

#include "wizard/ui/stat_number_panel.h"
#include "wizard/ui/wizard_widgets.h"

#include <QVBoxLayout>

using namespace Qt::StringLiterals;

CAppCount::CAppCount(WizardData& data, Prompter& prompter, const StatListMaker& makeList, QWidget* parent)
    : CWizardPage(data, prompter, u"安装量统计属性 (8/8)"_s, parent), m_panel(new CStatNumberPanel(this)) {
    m_panel->SetNumber(data.statNumber);
    m_panel->SetVersion(data.installVersion);
    if (makeList)
        m_list = makeList(*m_panel);
    // The list takes the room when there is one.
    Body()->addWidget(m_panel, m_list ? 1 : 0);
    if (!m_list)
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
    const QList<StatItem> list = m_list ? m_list->ListedItems() : QList<StatItem>();
    return Accept(StoreAppCount(Data(), m_panel->Number(), m_panel->Version(), list));
}
