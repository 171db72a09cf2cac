// SettingsController: the settings command, the one settings window, and where its changes go.
#include "config/ui/settings_controller.h"

#include "app/core/command_ids.h"
#include "app/core/command_registry.h"
#include "config/ui/setting_main_dlg.h"

SettingsController::SettingsController(CommandRegistry& registry, Configurator& config, Prompter& prompter,
                                       QWidget* owner, SettingsTargets targets)
    : QObject(owner), m_config(config), m_prompter(prompter), m_owner(owner), m_targets(std::move(targets)) {
    registry.Register(Cmd::Settings, [this](int) { ShowSettings(CSettingMainDlg::kBasePage); });
    registry.Register(Cmd::CompilerSettings, [this](int) { ShowSettings(CSettingMainDlg::kCompilePage); });
}

void SettingsController::ShowSettings(int page) {
    if (!m_dialog)
        m_dialog = CreateDialog();
    m_dialog->show();
    m_dialog->SelectPage(page);
}

CSettingMainDlg* SettingsController::CreateDialog() {
    auto* dialog = new CSettingMainDlg(m_config, m_prompter, m_owner);
    // Closing destroys the window, which writes what changed.
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    const auto forward = [this, dialog](auto signal, const std::function<void()>& target) {
        if (target)
            connect(dialog, signal, this, target);
    };
    forward(&CSettingMainDlg::EditingSettingsChanged, m_targets.applyViewSettings);
    forward(&CSettingMainDlg::StylesChanged, m_targets.applyStyles);
    forward(&CSettingMainDlg::CaptionSettingChanged, m_targets.captionChanged);
    forward(&CSettingMainDlg::PaneSideChanged, m_targets.paneSideChanged);
    return dialog;
}
