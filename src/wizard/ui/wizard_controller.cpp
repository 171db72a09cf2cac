// WizardController: the new-script wizard command.
#include "wizard/ui/wizard_controller.h"

#include "app/core/command_ids.h"
#include "app/core/command_registry.h"
#include "config/core/configurator.h"
#include "wizard/core/installed_nsis.h"
#include "wizard/ui/main_dlg.h"
#include "wizard/ui/new_script_host.h"

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
    const InstalledNsis nsis = QueryInstalledNsis(m_config.GetCompilerPath(), kCompilerQueryMs);
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
