// Qt dialogs behind the Prompter seam.
#include "platform/ui/dialog_prompter.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>

namespace {

QMessageBox::Icon ToQtIcon(PromptIcon icon) {
    switch (icon) {
    case PromptIcon::Information: return QMessageBox::Information;
    case PromptIcon::Question: return QMessageBox::Question;
    case PromptIcon::Warning: return QMessageBox::Warning;
    case PromptIcon::Error: return QMessageBox::Critical;
    case PromptIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ToQtButtons(PromptButtons buttons) {
    switch (buttons) {
    case PromptButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case PromptButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case PromptButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case PromptButtons::Ok: break;
    }
    return QMessageBox::Ok;
}

PromptAnswer FromQtButton(int button) {
    switch (button) {
    case QMessageBox::Yes: return PromptAnswer::Yes;
    case QMessageBox::No: return PromptAnswer::No;
    case QMessageBox::Ok: return PromptAnswer::Ok;
    default: return PromptAnswer::Cancel;
    }
}

}  // namespace

PromptAnswer DialogPrompter::Message(const PromptMessage& message) {
    QMessageBox box(ToQtIcon(message.icon), message.caption, message.text, ToQtButtons(message.buttons), m_owner);
    return FromQtButton(box.exec());
}

QStringList DialogPrompter::OpenFileNames(const FileDialogRequest& request, bool multiple) {
    if (multiple)
        return QFileDialog::getOpenFileNames(m_owner, request.title, request.folder, request.filter);
    QFileDialog dialog(m_owner, request.title, request.folder, request.filter);
    dialog.setFileMode(QFileDialog::ExistingFile);
    // A proposed name (such as "makensis") is preselected when the folder holds it.
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return {dialog.selectedFiles().first()};
}

QString DialogPrompter::SaveFileName(const FileDialogRequest& request) {
    QFileDialog dialog(m_owner, request.title, request.folder, request.filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

QString DialogPrompter::FolderName(const QString& title, const QString& folder) {
    return QFileDialog::getExistingDirectory(m_owner, title, folder);
}

std::optional<std::uint32_t> DialogPrompter::Colour(std::uint32_t initial) {
    const QColor start(initial & 0xFF, (initial >> 8) & 0xFF, (initial >> 16) & 0xFF);
    const QColor chosen = QColorDialog::getColor(start, m_owner);
    if (!chosen.isValid())
        return std::nullopt;
    return std::uint32_t(chosen.red()) | (std::uint32_t(chosen.green()) << 8) | (std::uint32_t(chosen.blue()) << 16);
}
