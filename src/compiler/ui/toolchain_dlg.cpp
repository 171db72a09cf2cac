// CToolchainDlg: the toolchain check page.
#include "compiler/ui/toolchain_dlg.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
// makensis and wine answer at once; a hung one must not keep the page empty for long.
constexpr int kQuestionTimeoutMs = 10000;
}  // namespace

CToolchainDlg::CToolchainDlg(const QString& makensisPath, QWidget* parent)
    : QDialog(parent), m_summary(new QLabel(u"正在检查…"_s, this)), m_tree(new QTreeWidget(this)) {
    setWindowTitle(u"工具链检查"_s);
    resize(1000, 480);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(m_tree);
    layout->addWidget(buttons);
    m_summary->setWordWrap(true);
    m_tree->setColumnCount(2);
    m_tree->setHeaderLabels({u"项目"_s, u"找到"_s});
    m_tree->setRootIsDecorated(false);
    m_tree->setItemsExpandable(false);
    m_tree->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* check = new CToolchainCheckLogic(makensisPath, kQuestionTimeoutMs, this);
    connect(check, &CToolchainCheckLogic::Ready, this, &CToolchainDlg::Show);
    check->Start();
}

void CToolchainDlg::Show(const ToolchainFacts& facts) {
    int missing = 0;
    for (const ToolchainItem& item : ToolchainItems(facts)) {
        auto* row = new QTreeWidgetItem(m_tree, {item.name, item.found});
        row->setToolTip(1, item.found);
        if (item.present)
            continue;
        ++missing;
        for (int column = 0; column < 2; ++column)
            row->setForeground(column, QColor(0xB0, 0x00, 0x00));
        // What installing it brings, on a line of its own below.
        auto* gain = new QTreeWidgetItem(row, {u"    "_s + item.gain});
        gain->setFirstColumnSpanned(true);
        gain->setToolTip(0, item.gain);
        row->setExpanded(true);
    }
    m_summary->setText(missing == 0 ? u"编译与测试安装所需的一切都已就绪。"_s
                                    : u"缺少 %1 项，见下表的说明。"_s.arg(missing));
    m_ready = true;
}
