// CPaneContainer: the titled side pane ("视图") that holds the outline tree or the thumbnail.
#include "outline/ui/pane_container.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

CPaneContainer::CPaneContainer(const QString& title, QWidget* parent)
    : QWidget(parent), m_stack(new QStackedWidget(this)) {
    auto* header = new QWidget(this);
    header->setAutoFillBackground(true);
    header->setBackgroundRole(QPalette::Button);
    auto* headerLayout = new QHBoxLayout(header);
    headerLayout->setContentsMargins(4, 1, 1, 1);
    headerLayout->addWidget(new QLabel(title, header), 1);
    auto* close = new QToolButton(header);
    close->setText(QStringLiteral("×"));
    close->setAutoRaise(true);
    close->setToolTip(QStringLiteral("关闭"));
    headerLayout->addWidget(close);
    connect(close, &QToolButton::clicked, this, &CPaneContainer::CloseClicked);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(header);
    layout->addWidget(m_stack, 1);
}

void CPaneContainer::AddContent(QWidget* content) { m_stack->addWidget(content); }

void CPaneContainer::ShowContent(QWidget* content) { m_stack->setCurrentWidget(content); }

QWidget* CPaneContainer::CurrentContent() const { return m_stack->currentWidget(); }
