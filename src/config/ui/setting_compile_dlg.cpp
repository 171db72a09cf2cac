// CSettingCompileDlg: the settings page "编译器": compiler and manual paths, compile switches and symbol definitions.
#include "config/ui/setting_compile_dlg.h"

#include "config/core/compiler_check.h"
#include "platform/background.h"
#include "config/core/configurator.h"
#include "config/ui/browse_button.h"
#include "config/ui/edit_def_dlg.h"
#include "platform/app_name.h"
#include "platform/prompter.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <memory>
#include <tuple>

using namespace Qt::StringLiterals;

namespace {

// makensis answers -VERSION at once; this only bounds a program that never does.
constexpr int kCompilerCheckMs = 10000;
constexpr int kNameColumnWidth = 100;
constexpr int kValueColumnWidth = 150;

QString CompilerProblemText(const QString& path, const CompilerCheck& check) {
    QString reason;
    switch (check.problem) {
    case CompilerProblem::None: return {};
    case CompilerProblem::Missing: reason = u"文件不存在。"_s; break;
    case CompilerProblem::NotExecutable: reason = u"该文件不是可执行程序。"_s; break;
    case CompilerProblem::DidNotStart: reason = u"程序无法启动。"_s; break;
    case CompilerProblem::NoAnswer: reason = u"程序没有应答 -VERSION。"_s; break;
    case CompilerProblem::Failed: reason = u"程序以错误码 %1 结束。"_s.arg(check.exitCode); break;
    }
    return u"“%1”不能作为 NSIS 编译器运行：%2\n编译器的设置没有更改。"_s.arg(path, reason);
}

// Where a browse dialog starts: the folder of the current file, if there is one.
QString FolderOf(const QString& path) { return path.isEmpty() ? QString() : QFileInfo(path).absolutePath(); }

}  // namespace

CSettingCompileDlg::CSettingCompileDlg(Configurator& config, Prompter& prompter, QWidget* parent)
    : QWidget(parent), m_config(config), m_prompter(prompter) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildPaths());
    layout->addWidget(BuildSwitches());
    layout->addWidget(BuildSymbols(), 1);
}

QWidget* CSettingCompileDlg::BuildPaths() {
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    const std::tuple<QString, QLineEdit*&, QString, void (CSettingCompileDlg::*)()> rows[] = {
        {u"编译器："_s, m_compiler, m_config.GetCompilerPath(), &CSettingCompileDlg::ChooseCompiler},
        {u"帮  助："_s, m_help, m_config.GetHelpPath(), &CSettingCompileDlg::ChooseHelp},
    };
    int row = 0;
    for (const auto& [text, field, path, choose] : rows) {
        auto* label = new QLabel(text, box);
        field = new QLineEdit(path, box);
        field->setReadOnly(true);
        field->setMinimumWidth(field->fontMetrics().horizontalAdvance(u'x') * 40);
        label->setBuddy(field);
        QPushButton* browse = BrowseButton(box);
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row, 1);
        grid->addWidget(browse, row, 2);
        connect(browse, &QPushButton::clicked, this, choose);
        if (&field == &m_compiler)
            m_compilerBrowse = browse;
        ++row;
    }
    return box;
}

QWidget* CSettingCompileDlg::BuildSwitches() {
    auto* box = new QWidget(this);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    BaseConfig& base = m_config.Base();
    const std::pair<QString, int&> checks[] = {
        {u"禁用配置文件 (nsisconf.nsh) 的包含"_s, base.DisNsh},
        {u"禁用当前的目录更改到 .NSI 文件"_s, base.DisNsi},
        {u"编译前先保存文件"_s, base.SaveCompile},
    };
    for (const auto& entry : checks) {
        // A named reference: clang 14 cannot capture a structured binding.
        int& key = entry.second;
        auto* check = new QCheckBox(entry.first, box);
        check->setChecked(key != 0);
        layout->addWidget(check);
        connect(check, &QCheckBox::clicked, this, [this, &key](bool checked) {
            key = checked ? 1 : 0;
            m_changed = true;
        });
    }
    return box;
}

QWidget* CSettingCompileDlg::BuildSymbols() {
    auto* box = new QWidget(this);
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    m_symbols = new QTreeWidget(box);
    m_symbols->setColumnCount(2);
    m_symbols->setHeaderLabels({u"符号"_s, u"数值"_s});
    m_symbols->setRootIsDecorated(false);
    m_symbols->setSelectionMode(QAbstractItemView::SingleSelection);
    m_symbols->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_symbols->setColumnWidth(0, kNameColumnWidth);
    m_symbols->setColumnWidth(1, kValueColumnWidth);
    for (const SymbolDef& symbol : ParseDefs(m_config.Base().Defs))
        AppendRow(symbol);
    auto* buttons = new QVBoxLayout;
    const std::pair<QString, void (CSettingCompileDlg::*)()> actions[] = {
        {u"添加"_s, &CSettingCompileDlg::AddSymbol},
        {u"编辑"_s, &CSettingCompileDlg::EditSymbol},
        {u"删除"_s, &CSettingCompileDlg::DeleteSymbol},
    };
    for (const auto& [text, action] : actions) {
        auto* button = new QPushButton(text, box);
        button->setAutoDefault(false);
        buttons->addWidget(button);
        connect(button, &QPushButton::clicked, this, action);
    }
    buttons->addStretch(1);
    layout->addWidget(m_symbols, 1);
    layout->addLayout(buttons);
    connect(m_symbols, &QTreeWidget::itemDoubleClicked, this, &CSettingCompileDlg::EditSymbol);
    return box;
}

void CSettingCompileDlg::ChooseCompiler() {
    const QString current = m_config.GetCompilerPath();
    const QStringList chosen = m_prompter.OpenFileNames(
        {u"选择 NSIS 编译器"_s, FolderOf(current), u"makensis"_s, u"NSIS 编译器 (makensis*);;所有文件 (*)"_s, {}},
        false);
    if (chosen.isEmpty())
        return;
    // A program that does not run as makensis would fail every compile later.
    // The check may take seconds: the window stays usable, the button waits.
    const QString path = chosen.first();
    m_compilerBrowse->setEnabled(false);
    setCursor(Qt::BusyCursor);
    RunInBackground<CompilerCheck>(
        this, [path] { return CheckCompiler(path, kCompilerCheckMs); },
        [this, path](const CompilerCheck& check) {
            m_compilerBrowse->setEnabled(true);
            unsetCursor();
            if (!check.Runs()) {
                m_prompter.Ask(CompilerProblemText(path, check), kAppName, PromptIcon::Warning, PromptButtons::Ok);
                return;
            }
            m_config.Base().CompilePath = path;
            m_compiler->setText(path);
            m_changed = true;
        });
}

void CSettingCompileDlg::ChooseHelp() {
    const QString current = m_config.GetHelpPath();
    const QStringList chosen = m_prompter.OpenFileNames({u"选择 NSIS 帮助文件"_s,
                                                         FolderOf(current),
                                                         QFileInfo(current).fileName(),
                                                         u"帮助文件 (*.chm *.html *.htm);;所有文件 (*)"_s,
                                                         {}},
                                                        false);
    if (chosen.isEmpty())
        return;
    m_config.Base().HelpPath = chosen.first();
    m_help->setText(chosen.first());
    m_changed = true;
}

void CSettingCompileDlg::AppendRow(const SymbolDef& symbol) {
    new QTreeWidgetItem(m_symbols, {symbol.name, symbol.value});
}

void CSettingCompileDlg::AddSymbol() {
    CEditDefDlg dialog({}, m_prompter, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    AppendRow(dialog.Symbol());
    StoreSymbols();
}

void CSettingCompileDlg::EditSymbol() {
    QTreeWidgetItem* item = m_symbols->currentItem();
    if (!item || !item->isSelected())
        return;
    CEditDefDlg dialog({item->text(0), item->text(1)}, m_prompter, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const SymbolDef symbol = dialog.Symbol();
    item->setText(0, symbol.name);
    item->setText(1, symbol.value);
    StoreSymbols();
}

void CSettingCompileDlg::DeleteSymbol() {
    QTreeWidgetItem* item = m_symbols->currentItem();
    if (!item || !item->isSelected())
        return;
    std::unique_ptr<QTreeWidgetItem> removed(m_symbols->takeTopLevelItem(m_symbols->indexOfTopLevelItem(item)));
    StoreSymbols();
}

void CSettingCompileDlg::StoreSymbols() {
    std::vector<SymbolDef> rows;
    for (int i = 0; i < m_symbols->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = m_symbols->topLevelItem(i);
        rows.push_back({item->text(0), item->text(1)});
    }
    m_config.Base().Defs = JoinDefs(rows);
    m_changed = true;
}
