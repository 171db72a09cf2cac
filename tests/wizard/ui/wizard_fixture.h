// The steps a user takes through the wizard, and a wizard dialog over scripted answers to take them in.
#pragma once

#include "support/scripted_prompter.h"
#include "support/test_files.h"
#include "wizard/core/installed_nsis.h"
#include "wizard/ui/file_list_dlg.h"
#include "wizard/ui/main_dlg.h"
#include "wizard/ui/wizard_page.h"

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTest>
#include <QTreeWidget>
#include <memory>

inline QString WizardAppFile(const QString& name) { return QStringLiteral(SCRIVO_TEST_DATA "/wizard/app/") + name; }

inline InstalledNsis RealInstalledNsis() {
    return QueryInstalledNsis(QStandardPaths::findExecutable("makensis"), 30000);
}

// A shown wizard over the compiler's defaults; the pages put the caret into fields, which needs the active window.
inline std::unique_ptr<CMainDlg> ShowWizard(const InstalledNsis& nsis, Prompter& prompter,
                                            const StatListMaker& makeList = {}) {
    auto dialog = std::make_unique<CMainDlg>(WizardDefaultsFor(nsis), nsis, prompter, nullptr, makeList);
    dialog->show();
    dialog->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    return dialog;
}

enum WizardPageIndex { kWelcome, kInfo, kOption, kRoot, kFile, kLink, kRun, kRemove, kCount, kEnd };

class WizardSteps {
protected:
    virtual ~WizardSteps() = default;
    virtual CMainDlg* Wizard() const = 0;
    virtual ScriptedPrompter& Answers() = 0;

    template <typename T = QWidget>
    T* Find(const char* name) const {
        T* widget = Wizard() ? Wizard()->findChild<T*>(QString::fromLatin1(name)) : nullptr;
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    // Check boxes stretch across their rows, and only their box and text take a click.
    void Click(const char* name) const {
        if (auto* box = qobject_cast<QCheckBox*>(Find<QAbstractButton>(name)))
            box->click();
        else
            QTest::mouseClick(Find<QAbstractButton>(name), Qt::LeftButton);
    }
    void Next() const { Click("next"); }
    void Back() const { Click("back"); }
    // Next until the page at index shows; false when a page refused.
    bool GoTo(int index) const {
        while (Wizard()->PageIndex() < index) {
            const int before = Wizard()->PageIndex();
            Next();
            if (Wizard()->PageIndex() == before)
                return false;
        }
        return Wizard()->PageIndex() == index;
    }
    static void Type(QLineEdit* edit, const QString& text) {
        edit->selectAll();
        QTest::keyClicks(edit, text);
        if (text.isEmpty())
            QTest::keyClick(edit, Qt::Key_Delete);
    }
    // The dialog a page opened over the wizard, after clicking the button when one is named.
    template <typename Dialog>
    Dialog* OpenDialog(const char* button = nullptr) const {
        if (button)
            Click(button);
        QApplication::processEvents();
        // Closed ones linger until their deferred deletion.
        for (Dialog* dialog : Wizard()->findChildren<Dialog*>()) {
            if (dialog->isVisible())
                return dialog;
        }
        ADD_FAILURE() << "no dialog open";
        return nullptr;
    }
    // Adds files to the current group through the add dialog and its browse button.
    void AddFiles(const QStringList& files) {
        CFileList* dialog = OpenDialog<CFileList>("addFiles");
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("添加安装文件"));
        EXPECT_FALSE(dialog->findChild<QCheckBox*>("recursive")->isEnabled());
        Answers().QueueFiles(files);
        QTest::mouseClick(dialog->findChild<QAbstractButton*>("sourceBrowse"), Qt::LeftButton);
        dialog->accept();
        EXPECT_FALSE(dialog->isVisible());
    }
    static QStringList Column(const QTreeWidget* tree, int column) {
        QStringList texts;
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            texts << tree->topLevelItem(i)->text(column);
        return texts;
    }
};

class WizardTest : public ::testing::Test, protected WizardSteps {
protected:
    void SetUp() override { Open(RealInstalledNsis()); }

    void Open(const InstalledNsis& nsis) { m_dialog = ShowWizard(nsis, m_prompter); }

    CMainDlg* Wizard() const override { return m_dialog.get(); }
    ScriptedPrompter& Answers() override { return m_prompter; }

    // The message of the only question asked since the last check.
    QString OnlyMessage() {
        const auto& messages = m_prompter.Messages();
        const QString text =
            messages.size() == 1 ? messages.front().text : QStringLiteral("<%1 messages>").arg(messages.size());
        m_prompter.ClearRecord();
        return text;
    }

    ScriptedPrompter m_prompter;
    std::unique_ptr<CMainDlg> m_dialog;
};
