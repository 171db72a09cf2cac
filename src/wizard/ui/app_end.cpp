// CAppEnd: the wizard's last page.
#include "wizard/ui/app_end.h"

#include <QCheckBox>
#include <QLabel>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

CAppEnd::CAppEnd(WizardData& data, Prompter& prompter, QWidget* parent)
    : CWizardPage(data, prompter, u"Korvane安装 向导完成"_s, parent),
      m_save(new QCheckBox(u"保存 NSIS 脚本文件(&S)"_s, this)),
      m_compile(new QCheckBox(u"编译 NSIS 脚本文件(&O)"_s, this)) {
    m_save->setObjectName(u"saveScript"_s);
    m_compile->setObjectName(u"compileScript"_s);
    m_compile->setEnabled(false);
    connect(m_save, &QCheckBox::toggled, this, [this](bool save) {
        m_compile->setEnabled(save);
        if (!save)
            m_compile->setChecked(false);
    });
    auto* text = new QLabel(u"向导已经收集了生成脚本所需的全部信息。单击“完成”，生成的脚本将作为新文档打开。"_s, this);
    text->setWordWrap(true);
    Body()->addWidget(text);
    Body()->addSpacing(fontMetrics().height());
    Body()->addWidget(m_save);
    Body()->addWidget(m_compile);
    Body()->addStretch(1);
}

bool CAppEnd::Store() {
    StoreAppEnd(Data(), m_save->isChecked(), m_compile->isChecked());
    return true;
}
