// A main frame with its settings window, and helpers that find the window's controls by the texts the user sees.
#pragma once

#include "support/frame_fixture.h"
#include "support/eventually.h"
#include "compiler/ui/compile_controller.h"
#include "outline/ui/pane_container.h"
#include "outline/ui/side_pane_controller.h"
#include "compiler/ui/compile_log_ctrl.h"
#include "config/ui/setting_main_dlg.h"
#include "editor/ui/scintilla_call.h"
#include "outline/ui/thumbnail_view.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace Qt::StringLiterals;

class SettingsTest : public FrameTest {
protected:
    // The settings window after the settings command, or null.
    CSettingMainDlg* OpenSettings(int page = CSettingMainDlg::kBasePage) {
        m_frame->OnCommand(Cmd::Settings);
        CSettingMainDlg* dialog = Window();
        if (dialog && page != CSettingMainDlg::kBasePage)
            dialog->findChild<QTabWidget*>()->setCurrentIndex(page);
        return dialog;
    }
    CSettingMainDlg* Window() const { return m_frame->findChild<CSettingMainDlg*>(); }

    // Closes the window as its button does and lets it go, which writes what changed.
    void CloseSettings() {
        ASSERT_NE(Window(), nullptr);
        Button(u"关闭"_s)->click();
        ASSERT_EVENTUALLY(Window() == nullptr);
    }

    // The visible buttons of `window` (the settings window if null) with this text, in the order they stand.
    template <class Widget = QAbstractButton>
    QList<Widget*> Buttons(const QString& text, const QWidget* window = nullptr) const {
        window = window ? window : Window();
        QList<Widget*> buttons;
        for (Widget* button : window->findChildren<Widget*>()) {
            if (button->text() == text && button->isVisibleTo(window))
                buttons << button;
        }
        return buttons;
    }
    template <class Widget = QAbstractButton>
    Widget* Button(const QString& text, const QWidget* window = nullptr) const {
        const QList<Widget*> buttons = Buttons<Widget>(text, window);
        if (buttons.isEmpty())
            ADD_FAILURE() << "no button " << text.toStdString();
        return buttons.value(0);
    }
    QList<QPushButton*> BrowseButtons() const { return Buttons<QPushButton>(u"..."_s); }
    // The control a label names.
    template <class Widget = QWidget>
    Widget* Field(const QString& label, const QWidget* window = nullptr) const {
        window = window ? window : Window();
        for (QLabel* text : window->findChildren<QLabel*>()) {
            if (text->text() == label && text->isVisibleTo(window))
                return qobject_cast<Widget*>(text->buddy());
        }
        ADD_FAILURE() << "no field " << label.toStdString();
        return nullptr;
    }

    // The open editors, the thumbnail and the log.
    std::vector<CNsisTextView*> Views() {
        std::vector<CNsisTextView*> views;
        for (int i = 0; i < Docs().Count(); ++i) {
            if (const CEditerTabViewItem* document = Docs().DocumentAt(i))
                views.push_back(document->View()->TextView());
        }
        views.push_back(FrameSidePane(*m_frame).Thumbnail()->TextView());
        views.push_back(FrameCompiler(*m_frame).Log()->TextView());
        return views;
    }
    void OpenTwoScripts() {
        ASSERT_TRUE(Docs().OpenDocument(Script(u"a.nsi"_s), false));
        ASSERT_TRUE(Docs().OpenDocument(Script(u"b.nsh"_s), false));
    }

    // Runs answer on the modal dialog that the action opens, then lets the action go on.
    static void WithModal(const std::function<void(QWidget*)>& answer, const std::function<void()>& action) {
        QTimer::singleShot(0, [answer] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal) {
                ADD_FAILURE() << "no modal dialog";
                return;
            }
            answer(modal);
        });
        action();
    }

    QByteArray StylersBytes() const { return ReadBytes(m_dir.filePath(u"stylers.xml"_s)); }
};
