// CUpdateDlg: the update check: a worker that reads the information file, and the "新版本提示" dialog it leads to.
#pragma once

#include "online/core/http_request.h"
#include "online/core/online_servers.h"
#include "online/core/update_info.h"
#include "platform/thread.h"

#include <QDialog>

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>

class CUpdateHtmlView;
class Configurator;
class Prompter;
class QCheckBox;

class CUpdateDlg : public QDialog, public CThread {
    Q_OBJECT
public:
    // Seconds since 1970 UTC.
    using Clock = std::function<std::int64_t()>;

    CUpdateDlg(Configurator& config, Prompter& prompter, const OnlineServers& servers, int timeoutMs, Clock now,
               QWidget* owner);
    // Ends as Shutdown does.
    ~CUpdateDlg() override;

    // Starts a check unless one runs; a running one then decides with this flag.
    void StartUpdateCheck(bool manual);
    // At exit: an open dialog ends as with OK; waits at most `wait` for the worker.
    void Shutdown(std::chrono::milliseconds wait);

    CUpdateHtmlView* View() const { return m_view; }
    // The page's "CHK_UPDATE_INFO" box; hidden when the page has none.
    QCheckBox* PostponeCheckBox() const { return m_postpone; }

Q_SIGNALS:
    // The check has decided: a dialog or message shown, or nothing to say.
    void CheckDone();

protected:
    void Run() override;
    void done(int result) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Decide(const QByteArray& infoFile);
    void ShowPage(const UpdateInfo& info);
    void ShowPageText(const HttpResult& page);

    Configurator& m_config;
    Prompter& m_prompter;
    OnlineServers m_servers;
    int m_timeoutMs;
    Clock m_now;
    bool m_manual = false;
    bool m_checking = false;  // from the start of a check until its decision
    bool m_shutDown = false;
    BlockingHttp m_infoFetch;
    HttpClient* m_pageFetch;
    CUpdateHtmlView* m_view;
    QCheckBox* m_postpone;
    std::optional<QString> m_postponeDays;  // the box's value while the page holds one
};
