// COnlineController: the frame's statistics and update commands: sign-in, statistics code, update check.
#include "online/ui/online_controller.h"

#include "app/core/command_ids.h"
#include "app/core/command_registry.h"
#include "app/ui/command_actions.h"
#include "app/ui/document_set.h"
#include "config/core/configurator.h"
#include "editor/ui/scrivo_view.h"
#include "online/core/user_info_logic.h"
#include "online/ui/insert_num_dlg.h"
#include "online/ui/stat_code_inserter.h"
#include "online/ui/update_dlg.h"
#include "online/ui/user_login_dlg.h"

#include <QAction>
#include <QDateTime>
#include <QPointer>

using namespace Qt::StringLiterals;

namespace {
constexpr int kStatTimeoutMs = 8000;
constexpr int kUpdateTimeoutMs = 6000;
}  // namespace

COnlineController::COnlineController(CommandRegistry& registry, DocumentSet& documents, CommandActions& actions,
                                     Configurator& config, Prompter& prompter, std::function<void()> statesChanged,
                                     QWidget* owner)
    : QObject(owner),
      m_documents(documents),
      m_actions(actions),
      m_prompter(prompter),
      m_owner(owner),
      m_statesChanged(std::move(statesChanged)),
      m_servers(ResolveOnlineServers(config.Servers())),
      m_user(new CUserInfoLogic(config, StatServiceUrl(m_servers), kStatTimeoutMs, this)),
      m_service{*m_user, m_servers},
      m_update(new CUpdateDlg(
          config, prompter, m_servers, kUpdateTimeoutMs, [] { return QDateTime::currentSecsSinceEpoch(); }, owner)) {
    connect(m_user, &CUserInfoLogic::SignInChanged, this, &COnlineController::OnSignInChanged);
    RegisterCommands(registry);
    UpdateSignInText();
}

bool COnlineController::IsSignedIn() const { return m_user->CheckLogin() == 0; }

void COnlineController::StartAutomaticUpdateCheck() { m_update->StartUpdateCheck(false); }

void COnlineController::RegisterCommands(CommandRegistry& registry) {
    registry.Register(Cmd::SignIn, [this](int) { OnSignInCommand(); });
    registry.Register(Cmd::InsertStatistics, [this](int) { OnInsertStatistics(); });
    registry.Register(Cmd::CheckUpdate, [this](int) { m_update->StartUpdateCheck(true); });
}

void COnlineController::OnSignInCommand() {
    if (m_user->CheckLogin() == 0) {
        m_user->Logout();
        return;
    }
    CUserLogin dialog(*m_user, m_prompter, m_servers, m_owner);
    dialog.exec();
}

void COnlineController::OnInsertStatistics() {
    QPointer<CScrivoView> view = m_documents.ActiveView();
    if (!view)
        return;
    CInsertNum dialog(m_service, m_prompter, m_owner);
    if (dialog.exec() != QDialog::Accepted || !view)
        return;
    InsertStatCode(view->Call(), dialog.Number(), dialog.Comment());
}

void COnlineController::UpdateSignInText() {
    if (QAction* signIn = m_actions.Action(Cmd::SignIn))
        signIn->setText(IsSignedIn() ? u"注销登录(&L)"_s : u"用户登录(&L)"_s);
}

void COnlineController::OnSignInChanged() {
    UpdateSignInText();
    if (m_statesChanged)
        m_statesChanged();
}
