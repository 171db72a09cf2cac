// COnlineController: the frame's statistics and update commands: sign-in, statistics code, update check.
#pragma once

#include "online/core/online_servers.h"
#include "online/ui/stat_service.h"

#include <QObject>

#include <functional>

class CUpdateDlg;
class CUserInfoLogic;
class CommandActions;
class CommandRegistry;
class Configurator;
class DocumentSet;
class IUserInfo;
class Prompter;
class QWidget;

class COnlineController : public QObject {
    Q_OBJECT
public:
    // Takes over the sign-in stored in config, sets the sign-in menu text and
    // registers the sign-in, insert-statistics and update-check commands.
    // statesChanged runs after every sign-in and sign-out.
    COnlineController(CommandRegistry& registry, DocumentSet& documents, CommandActions& actions, Configurator& config,
                      Prompter& prompter, std::function<void()> statesChanged, QWidget* owner);

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
    void UpdateSignInText();
    void OnSignInChanged();

    DocumentSet& m_documents;
    CommandActions& m_actions;
    Prompter& m_prompter;
    QWidget* m_owner;
    std::function<void()> m_statesChanged;
    OnlineServers m_servers;
    CUserInfoLogic* m_user;
    StatService m_service;
    CUpdateDlg* m_update;
};
