// Small widgets and steps that the wizard's pages and dialogs share.
#include "wizard/ui/wizard_widgets.h"

#include "platform/prompter.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

using namespace Qt::StringLiterals;

QLabel* Heading(const QString& text, double scale, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * scale);
    label->setFont(font);
    return label;
}

void ShowRefusal(Prompter& prompter, const StoreRefusal& refusal, QWidget* field) {
    prompter.Ask(refusal.text, refusal.caption, PromptIcon::Warning, PromptButtons::Ok);
    if (!field)
        return;
    field->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(field))
        edit->selectAll();
    else if (auto* list = qobject_cast<QComboBox*>(field); list && list->lineEdit())
        list->lineEdit()->selectAll();
}

QWidget* BrowseRow(QLineEdit* edit, const std::function<void()>& browse, QWidget* parent) {
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    edit->setParent(row);
    layout->addWidget(edit, 1);
    // A tool button is as wide as its dots at any font size.
    auto* button = new QToolButton(row);
    button->setText(u"..."_s);
    button->setObjectName(edit->objectName() + u"Browse"_s);
    QObject::connect(button, &QToolButton::clicked, row, browse);
    layout->addWidget(button);
    return row;
}

void BrowseOpenFile(Prompter& prompter, const FileDialogRequest& request, QLineEdit* edit) {
    const QStringList chosen = prompter.OpenFileNames(request, false);
    if (!chosen.isEmpty())
        edit->setText(chosen.first());
}

QLineEdit* PathEdit(const QString& name, const QString& text, QWidget* parent) {
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(name);
    edit->setMaxLength(260);
    return edit;
}

QWidget* GraphicRow(Prompter& prompter, QLineEdit* edit, const QString& title, Graphic kind, QWidget* parent) {
    const QString filter =
        kind == Graphic::Icon ? u"图标文件(*.ico);;所有文件(*)"_s : u"位图文件(*.bmp);;所有文件(*)"_s;
    return BrowseRow(
        edit,
        [&prompter, edit, title, filter] {
            BrowseOpenFile(prompter, {title, {}, {}, filter, {}}, edit);
        },
        parent);
}

QComboBox* EditableList(const QStringList& items, QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->setEditable(true);
    list->setInsertPolicy(QComboBox::NoInsert);
    list->addItems(items);
    return list;
}
