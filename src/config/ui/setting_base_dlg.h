// CSettingBaseDlg: the settings page "常用  ": title, last files, pane side, tabs, line numbers, caret line, file association.
#pragma once

#include <QWidget>

class CColourSwatch;
class Configurator;
class Prompter;
class QCheckBox;
class QLineEdit;
class QPushButton;

class CSettingBaseDlg : public QWidget {
    Q_OBJECT
public:
    CSettingBaseDlg(Configurator& config, Prompter& prompter, QWidget* parent);

    // A setting was stored since the page was created: config.xml is written on close.
    bool IsChanged() const { return m_changed; }

Q_SIGNALS:
    void CaptionSettingChanged();
    void PaneSideChanged();
    // Tab width, tabs or blanks, line numbers or the caret line changed.
    void EditingSettingsChanged();

private:
    QWidget* BuildBasicGroup();
    QWidget* BuildTabGroup();
    QWidget* BuildEditGroup();
    QWidget* BuildAssociationGroup();
    // Connects a check box that stores its key and then tells whoever follows it.
    void StoreOnToggle(QCheckBox* box, int& key, void (CSettingBaseDlg::*followUp)());
    void ApplyEditingSettings();
    void ChooseCaretLineColour();
    void RegisterAssociation();

    Configurator& m_config;
    Prompter& m_prompter;
    QLineEdit* m_tabSize = nullptr;
    QCheckBox* m_tabSpace = nullptr;
    QCheckBox* m_lineNumbers = nullptr;
    QCheckBox* m_caretLine = nullptr;
    CColourSwatch* m_caretColour = nullptr;
    QPushButton* m_register = nullptr;  // off while the association is written
    bool m_changed = false;
};
