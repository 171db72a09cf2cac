// WizardController: the new-script wizard command.
#include "wizard/ui/wizard_controller.h"

#include "app/core/command_ids.h"
#include "app/core/command_registry.h"
#include "config/core/configurator.h"
#include "wizard/core/installed_nsis.h"
#include "platform/background.h"
#include "wizard/ui/main_dlg.h"
#include "wizard/ui/new_script_host.h"

#include <QFileInfo>

namespace {
// makensis answers -HDRINFO at once; a hung one must not hold the wizard up for long.
constexpr int kCompilerQueryMs = 5000;
}  // namespace

WizardController::WizardController(CommandRegistry& registry, INewScriptHost& documents, const Configurator& config,
                                   Prompter& prompter, QWidget* window, StatListMaker makeList)
    : QObject(window),
      m_registry(registry),
      m_documents(documents),
      m_config(config),
      m_prompter(prompter),
      m_window(window),
      m_makeList(std::move(makeList)) {
    registry.Register(Cmd::NewWizard, [this](int) { Run(); });
}

void WizardController::Run() {
    // A closed wizard lingers until its deletion comes round.
    if (m_wizard && m_wizard->isVisible()) {
        m_wizard->raise();
        m_wizard->activateWindow();
        return;
    }
    if (m_querying)
        return;
    // makensis answers the same until it is replaced: asked once per file and version of it.
    const QString path = m_config.GetCompilerPath();
    const QDateTime modified = QFileInfo(path).lastModified();
    if (m_known && m_known->path == path && m_known->modified == modified) {
        Open(m_known->nsis);
        return;
    }
    m_querying = true;
    m_window->setCursor(Qt::BusyCursor);
    RunInBackground<InstalledNsis>(
        this, [path] { return QueryInstalledNsis(path, kCompilerQueryMs); },
        [this, path, modified](const InstalledNsis& nsis) {
            m_querying = false;
            m_window->unsetCursor();
            if (nsis.answered)
                m_known = KnownCompiler{path, modified, nsis};
            Open(nsis);
        });
}

void WizardController::Open(const InstalledNsis& nsis) {
    m_wizard = new CMainDlg(WizardDefaultsFor(nsis), nsis, m_prompter, m_window, m_makeList);
    m_wizard->setAttribute(Qt::WA_DeleteOnClose);
    m_wizard->setWindowModality(Qt::ApplicationModal);
    CMainDlg* wizard = m_wizard;
    connect(wizard, &QDialog::accepted, this, [this, wizard] { OpenResult(wizard->Result()); });
    wizard->show();
}

void WizardController::OpenResult(const WizardResult& result) {
    if (m_documents.OpenNewScript(result.script, result.saveScript) && result.compileScript)
        m_registry.Dispatch(Cmd::Compile);
}
