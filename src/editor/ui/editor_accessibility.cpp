// Plain accessibility for the views' editing components, in place of the component's own.
#include "editor/ui/editor_accessibility.h"

#include "editor/ui/qsci_base.h"
#include "editor/ui/nsis_text_view.h"

#include <QAccessibleWidget>

namespace {

QAccessibleInterface* PlainEditorInterface(const QString& className, QObject* object) {
    auto* editor = qobject_cast<QsciScintillaBase*>(object);
    if (className != QLatin1StringView("QsciScintillaBase") || !editor
        || !qobject_cast<CNsisTextView*>(editor->parent()))
        return nullptr;
    return new QAccessibleWidget(editor, QAccessible::EditableText);
}

}  // namespace

void UsePlainEditorAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(PlainEditorInterface);
        return true;
    }();
    Q_UNUSED(installed);
}
