// Qt's standard buttons read in Chinese once the program has loaded Qt's translation.
#include "platform/ui/qt_translation.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <gtest/gtest.h>

TEST(QtTranslation, StandardButtonsOfAMessageBoxReadInChinese) {
    ASSERT_TRUE(LoadQtChineseTranslation(*qApp));
    QMessageBox box(QMessageBox::Question, QStringLiteral("Korvane安装"), QStringLiteral("?"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    for (auto [button, chinese] : {std::pair{QMessageBox::Yes, "是"}, std::pair{QMessageBox::No, "否"},
                                   std::pair{QMessageBox::Cancel, "取消"}}) {
        EXPECT_TRUE(box.button(button)->text().contains(QString::fromUtf8(chinese)))
            << box.button(button)->text().toStdString();
    }
}
