// SettingsController: the settings command, the one settings window, and where its changes go.
#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

class CSettingMainDlg;
class CommandRegistry;
class Configurator;
class Prompter;
class QWidget;

// What a settings change reaches beyond the configuration; the frame supplies it.
struct SettingsTargets {
    // Every open editor, the thumbnail and the log apply the editing settings again.
    std::function<void()> applyViewSettings;
    // Every open editor, the thumbnail and the log apply the styles again.
    std::function<void()> applyStyles;
    // The caption shows only the file name, or the path again.
    std::function<void()> captionChanged;
    // The outline and thumbnail pane changes sides.
    std::function<void()> paneSideChanged;
};

class SettingsController : public QObject {
    Q_OBJECT
public:
    // Registers the settings command; the window is created over owner on first use.
    SettingsController(CommandRegistry& registry, Configurator& config, Prompter& prompter, QWidget* owner,
                       SettingsTargets targets);

    // Shows the window (created when it does not exist) without taking the focus, on the page.
    void ShowSettings(int page);

private:
    CSettingMainDlg* CreateDialog();

    Configurator& m_config;
    Prompter& m_prompter;
    QWidget* m_owner;
    SettingsTargets m_targets;
    QPointer<CSettingMainDlg> m_dialog;
};
