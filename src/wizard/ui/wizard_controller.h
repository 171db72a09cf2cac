// WizardController: the new-script wizard command: runs the wizard and turns its script into a new document, saved and compiled on request.
#pragma once

#include "wizard/core/installed_nsis.h"
#include "wizard/ui/main_dlg.h"

#include <QDateTime>

#include <QObject>
#include <QPointer>

#include <optional>

class CommandRegistry;
class Configurator;
class INewScriptHost;
class Prompter;
class QWidget;

class WizardController : public QObject {
    Q_OBJECT
public:
    // Registers the wizard command; window is the parent of the wizard; makeList puts page 8's
    // statistics list, none for a plain form.
    WizardController(CommandRegistry& registry, INewScriptHost& documents, const Configurator& config, Prompter& prompter,
                     QWidget* window, StatListMaker makeList = {});

    // The open wizard; null while none is open.
    CMainDlg* Wizard() const { return m_wizard; }
    // Opens the wizard, or brings the open one to the front; the first time (and after
    // the compiler changed) once makensis has told its settings, meanwhile busy.
    void Run();
    // The finished wizard's script as a new document, then Save As and compile when asked.
    void OpenResult(const WizardResult& result);

private:
    struct KnownCompiler {
        QString path;
        QDateTime modified;
        InstalledNsis nsis;
    };
    void Open(const InstalledNsis& nsis);

    CommandRegistry& m_registry;
    INewScriptHost& m_documents;
    const Configurator& m_config;
    Prompter& m_prompter;
    QWidget* m_window;
    StatListMaker m_makeList;
    QPointer<CMainDlg> m_wizard;
    bool m_querying = false;
    std::optional<KnownCompiler> m_known;
};
