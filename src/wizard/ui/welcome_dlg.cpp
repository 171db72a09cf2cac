// CWelcomeDlg: the wizard's welcome page and its band.
#include "wizard/ui/welcome_dlg.h"

#include "platform/app_name.h"
#include "wizard/ui/wizard_widgets.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

CWelcomeDlg::CWelcomeDlg(WizardData& data, Prompter& prompter, QWidget* parent)
    : CWizardPage(data, prompter, QString(), parent) {
    auto* row = new QHBoxLayout;
    row->addWidget(new CWizardBand(this));
    auto* text = new QVBoxLayout;
    text->addWidget(Heading(u"欢迎使用 Korvane安装 向导程序"_s, 1.5, this));
    for (const QString& paragraph : {u"这个向导将一步一步地引导您创建一个完整的 NSIS "
                                     u"安装脚本：应用程序的信息、安装程序的选项、安装目录与授权文件、"
                                     u"要安装的文件、快捷方式、安装之后运行的程序、卸载程序和安装量统计。"_s,
                                     u"在任何一页都可以单击“上一步”返回修改。在您单击“完成”之前，向导不会写入任何文件；"
                                     u"完成之后，生成的脚本作为新文档打开，您还可以选择立即保存并编译它。"_s,
                                     u"单击“下一步”继续，单击“取消”退出向导。"_s}) {
        auto* label = new QLabel(paragraph, this);
        label->setWordWrap(true);
        text->addWidget(label);
    }
    text->addStretch(1);
    row->addLayout(text, 1);
    Body()->addLayout(row);
}

CWizardBand::CWizardBand(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
}

QSize CWizardBand::sizeHint() const {
    return {fontMetrics().horizontalAdvance(kAppName) * 2, fontMetrics().height() * 16};
}

void CWizardBand::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QLinearGradient gradient(0, 0, 0, height());
    gradient.setColorAt(0, QColor(0x1f, 0x4e, 0x9a));
    gradient.setColorAt(1, QColor(0x7a, 0xb8, 0xf0));
    painter.fillRect(rect(), gradient);
    QFont font = painter.font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.4);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(rect().adjusted(8, 16, -8, -16), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, kAppName);
}
