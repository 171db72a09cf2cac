// COnlineController: the frame's statistics and update commands: sign-in, statistics code, update check.
#include "online/ui/online_controller.h"

#include "app/core/command_ids.h"
#include "app/core/command_registry.h"
#include "config/core/configurator.h"
#include "editor/ui/scintilla_call.h"
#include "online/core/user_info_logic.h"
#include "online/ui/active_editor_host.h"
#include "online/ui/insert_num_dlg.h"
#include "online/ui/stat_code_inserter.h"
#include "online/ui/update_dlg.h"
#include "online/ui/user_login_dlg.h"

#include <QDateTime>
#include <QPointer>

using namespace Qt::StringLiterals;

namespace {
constexpr int kStatTimeoutMs = 8000;
constexpr int kUpdateTimeoutMs = 6000;
}  // namespace

COnlineController::COnlineController(CommandRegistry& registry, IActiveEditorHost& documents, Configurator& config,
                                     Prompter& prompter, std::function<void()> statesChanged, QWidget* owner)
    : QObject(owner),
      m_documents(documents),
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
}

bool COnlineController::IsSignedIn() const { return m_user->CheckLogin() == 0; }

void COnlineController::StartAutomaticUpdateCheck() { m_update->StartUpdateCheck(false); }

void COnlineController::RegisterCommands(CommandRegistry& registry) {
    registry.Register(Cmd::SignIn, [this](int) { OnSignInCommand(); });
    registry.Register(Cmd::InsertStatistics, [this](int) { OnInsertStatistics(); });
    registry.Register(Cmd::CheckUpdate, [this](int) { m_update->StartUpdateCheck(true); });
    registry.RegisterTextRule(Cmd::SignIn, [this] { return IsSignedIn() ? u"注销登录(&L)"_s : u"用户登录(&L)"_s; });
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
    QPointer<ScintillaCall> editor = m_documents.ActiveEditor();
    if (!editor)
        return;
    CInsertNum dialog(m_service, m_prompter, m_owner);
    if (dialog.exec() != QDialog::Accepted || !editor)
        return;
    InsertStatCode(*editor, dialog.Number(), dialog.Comment());
}

void COnlineController::OnSignInChanged() {
    if (m_statesChanged)
        m_statesChanged();
}
