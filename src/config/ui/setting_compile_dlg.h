// CSettingCompileDlg: the settings page "编译器": compiler and manual paths, compile switches and symbol definitions.
#pragma once

#include "config/core/symbol_defs.h"

#include <QWidget>

class Configurator;
class Prompter;
class QLineEdit;
class QPushButton;
class QTreeWidget;

class CSettingCompileDlg : public QWidget {
    Q_OBJECT
public:
    CSettingCompileDlg(Configurator& config, Prompter& prompter, QWidget* parent);

    // A setting was stored since the page was created: config.xml is written on close.
    bool IsChanged() const { return m_changed; }

private:
    QWidget* BuildPaths();
    QWidget* BuildSwitches();
    QWidget* BuildSymbols();
    void ChooseCompiler();
    void ChooseHelp();
    void AddSymbol();
    void EditSymbol();
    void DeleteSymbol();
    void AppendRow(const SymbolDef& symbol);
    // `Defs` again from every row, in list order.
    void StoreSymbols();

    Configurator& m_config;
    Prompter& m_prompter;
    QLineEdit* m_compiler = nullptr;
    QPushButton* m_compilerBrowse = nullptr;  // off while the chosen compiler is checked
    QLineEdit* m_help = nullptr;
    QTreeWidget* m_symbols = nullptr;
    bool m_changed = false;
};
