// CRenameSymbolDlg: the new name of a symbol, checked as it is typed, with every change it makes listed.
#include "compiler/ui/rename_symbol_dlg.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

CRenameSymbolDlg::CRenameSymbolDlg(const QString& title, const QString& oldName, Planner planner, QWidget* parent)
    : QDialog(parent),
      m_planner(std::move(planner)),
      m_oldName(oldName),
      m_name(new QLineEdit(oldName, this)),
      m_problem(new QLabel(this)),
      m_changes(new QTreeWidget(this)),
      m_buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this)) {
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(u"新名称："_s, this));
    layout->addWidget(m_name);
    layout->addWidget(m_problem);
    layout->addWidget(m_changes);
    layout->addWidget(m_buttons);
    m_changes->setHeaderLabels({u"文件"_s, u"行"_s, u"修改前"_s, u"修改后"_s});
    m_changes->setRootIsDecorated(false);
    m_changes->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_problem->setStyleSheet(u"color: #c00000"_s);
    m_name->selectAll();
    connect(m_name, &QLineEdit::textChanged, this, &CRenameSymbolDlg::Replan);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    resize(720, 360);
    Replan();
}

void CRenameSymbolDlg::Replan() {
    const QString name = m_name->text().trimmed();
    m_plan = name == m_oldName ? RenamePlan{} : m_planner(name);
    m_problem->setText(m_plan.error);
    m_problem->setVisible(!m_plan.error.isEmpty());
    m_changes->clear();
    int lastLine = -1;
    QString lastFile;
    for (const RenameEdit& edit : m_plan.edits) {
        if (edit.place.file == lastFile && edit.place.line == lastLine)
            continue;
        lastFile = edit.place.file;
        lastLine = edit.place.line;
        auto* row = new QTreeWidgetItem(m_changes, {QFileInfo(edit.place.file).fileName(),
                                                    QString::number(edit.place.line + 1), edit.before.trimmed(),
                                                    edit.after.trimmed()});
        row->setToolTip(0, edit.place.file);
    }
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(m_plan.error.isEmpty() && !m_plan.edits.empty());
}
