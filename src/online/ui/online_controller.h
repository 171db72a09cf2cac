// COnlineController: the frame's statistics and update commands: sign-in, statistics code, update check.
#pragma once

#include "online/core/online_servers.h"
#include "online/ui/stat_service.h"

#include <QObject>

#include <functional>

class CUpdateDlg;
class CUserInfoLogic;
class CommandRegistry;
class Configurator;
class IActiveEditorHost;
class IUserInfo;
class Prompter;
class QWidget;

class COnlineController : public QObject {
    Q_OBJECT
public:
    // Takes over the sign-in stored in config and registers the sign-in,
    // insert-statistics and update-check commands with the sign-in item's text.
    // statesChanged runs after every sign-in and sign-out.
    COnlineController(CommandRegistry& registry, IActiveEditorHost& documents, Configurator& config, Prompter& prompter,
                      std::function<void()> statesChanged, QWidget* owner);

    // For the status bar; a stored automatic sign-in counts.
    bool IsSignedIn() const;
    // The silent check of each start.
    void StartAutomaticUpdateCheck();

    // For wizard page 8's statistics panel.
    const StatService& Service() const { return m_service; }
    CUpdateDlg& Update() const { return *m_update; }

private:
    void RegisterCommands(CommandRegistry& registry);
    void OnSignInCommand();
    void OnInsertStatistics();
    void OnSignInChanged();

    IActiveEditorHost& m_documents;
    Prompter& m_prompter;
    QWidget* m_owner;
    std::function<void()> m_statesChanged;
    OnlineServers m_servers;
    CUserInfoLogic* m_user;
    StatService m_service;
    CUpdateDlg* m_update;
};
