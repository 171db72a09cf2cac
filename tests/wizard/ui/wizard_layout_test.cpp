// The wizard's pages at the normal and at a one and a half times larger font (144 dpi): every text shown whole.
#include "wizard_fixture.h"

#include <QLabel>
#include <QScopeGuard>

namespace {
// Widgets of the shown page whose text gets less room than it needs.
QStringList Clipped(QWidget* page) {
    QStringList clipped;
    for (QWidget* widget : page->findChildren<QWidget*>()) {
        if (!widget->isVisible())
            continue;
        const auto* label = qobject_cast<QLabel*>(widget);
        const bool hasText = (label && !label->wordWrap() && !label->text().isEmpty())
            || qobject_cast<QAbstractButton*>(widget) || qobject_cast<QComboBox*>(widget);
        if (!hasText)
            continue;
        const QSize needed = qobject_cast<QComboBox*>(widget) ? widget->minimumSizeHint() : widget->sizeHint();
        if (widget->width() < needed.width() || widget->height() < needed.height())
            clipped << widget->metaObject()->className() + QStringLiteral(" ") + widget->objectName()
                    + QStringLiteral(" ") + (label ? label->text() : QString());
    }
    return clipped;
}
}  // namespace

TEST_F(WizardTest, EveryPageShowsItsTextsWholeAtBothSizes) {
    for (double scale : {1.0, 1.5}) {
        const QFont saved = QApplication::font();
        const auto restore = qScopeGuard([&saved] { QApplication::setFont(saved); });
        QFont font = saved;
        font.setPointSizeF(font.pointSizeF() * scale);
        QApplication::setFont(font);
        Open(RealInstalledNsis());
        for (int index = 0; index < m_dialog->PageCount(); ++index) {
            ASSERT_TRUE(GoTo(index)) << index;
            QApplication::processEvents();
            EXPECT_EQ(Clipped(m_dialog->Page(index)).join(QStringLiteral("; ")).toStdString(), "")
                << "page " << index << " at " << scale;
            const QSize page = m_dialog->Page(index)->size();
            EXPECT_GE(page.width(), m_dialog->Page(index)->minimumSizeHint().width()) << index;
            EXPECT_GE(page.height(), m_dialog->Page(index)->minimumSizeHint().height()) << index;
        }
    }
}
