// Small widgets and steps that the wizard's pages and dialogs share: headings, refusals, path rows, lists and button boxes.
#pragma once

#include "wizard/core/page_store.h"

#include <QDialog>

#include <functional>

class Prompter;
class QComboBox;
class QLabel;
class QLineEdit;
struct FileDialogRequest;

// A bold title, scale times the normal size.
QLabel* Heading(const QString& text, double scale, QWidget* parent);

// Shows a refusal and selects the field's text; shared by the pages and their small dialogs.
void ShowRefusal(Prompter& prompter, const StoreRefusal& refusal, QWidget* field);

// A line edit with its "..." button; the button runs browse.
QWidget* BrowseRow(QLineEdit* edit, const std::function<void()>& browse, QWidget* parent);
// Runs an open dialog for one file and puts the chosen path into the edit.
void BrowseOpenFile(Prompter& prompter, const FileDialogRequest& request, QLineEdit* edit);
// A path edit of at most 260 characters, as long as a Windows path may be.
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

// An editable list whose typed text is never added to its items.
QComboBox* EditableList(const QStringList& items, QWidget* parent);
