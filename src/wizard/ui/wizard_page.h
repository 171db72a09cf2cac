// CWizardPage: what every page of the new-script wizard shares: the record it fills, its title, the enter/store protocol and refusals.
#pragma once

#include "wizard/core/page_store.h"

#include <QDialog>
#include <QWidget>

#include <functional>

class Prompter;
class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QVBoxLayout;
struct FileDialogRequest;

class CWizardPage : public QWidget {
    Q_OBJECT
public:
    // An empty title makes a page without the title band (welcome and end pages).
    CWizardPage(WizardData& data, Prompter& prompter, const QString& title, QWidget* parent);

    // Prepares the page from the record before it is shown; false keeps the wizard where it is.
    virtual bool Enter() { return true; }
    // Checks and stores the page's controls; false, after telling the user why, keeps the page.
    virtual bool Store() { return true; }

protected:
    // Where a page puts its controls.
    QVBoxLayout* Body() const { return m_body; }
    WizardData& Data() const { return m_data; }
    Prompter& Ask() const { return m_prompter; }

    // True when nothing was refused; otherwise shows the message and puts the caret
    // into the field it points at, with the field's text selected.
    bool Accept(const StoreResult& result);
    virtual QWidget* FieldWidget(WizardField field) const;

private:
    WizardData& m_data;
    Prompter& m_prompter;
    QVBoxLayout* m_body;
};

// A bold title, scale times the normal size.
QLabel* Heading(const QString& text, double scale, QWidget* parent);

// Shows a refusal and selects the field's text; shared by the pages and their small dialogs.
void ShowRefusal(Prompter& prompter, const StoreRefusal& refusal, QWidget* field);

// A line edit with its "..." button; the button runs browse.
QWidget* BrowseRow(QLineEdit* edit, const std::function<void()>& browse, QWidget* parent);
// Runs an open dialog for one file and puts the chosen path into the edit.
void BrowseOpenFile(Prompter& prompter, const FileDialogRequest& request, QLineEdit* edit);
// A path edit of at most 260 characters, named for tests and focus.
QLineEdit* PathEdit(const QString& name, const QString& text, QWidget* parent);
// The row of an icon or bitmap path whose "..." button opens such a file.
enum class Graphic { Icon, Bitmap };
QWidget* GraphicRow(Prompter& prompter, QLineEdit* edit, const QString& title, Graphic kind, QWidget* parent);
// Opens one of the pages' small dialogs over the wizard; done gets it when the user
// presses OK, and it is gone once closed.
template <typename Dialog, typename Done>
void OpenSmallDialog(Dialog* dialog, Done done) {
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(dialog, &QDialog::accepted, dialog, [dialog, done] { done(*dialog); });
    dialog->open();
}

// "确定" and "取消" wired to the dialog's accept and reject.
QDialogButtonBox* OkCancelButtons(QDialog* dialog);
// An editable list whose typed text is never added to its items.
QComboBox* EditableList(const QStringList& items, QWidget* parent);
