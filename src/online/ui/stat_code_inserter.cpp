// InsertStatCode: puts the statistics line into a script held by an editing component.
#include "online/ui/stat_code_inserter.h"

#include "editor/ui/scintilla_call.h"
#include "online/core/stat_code.h"

void InsertStatCode(ScintillaCall& editor, const QString& number, const QString& comment) {
    const StatCodeEdit plan = PlanStatCode(editor.GetText(), number, comment);
    editor.BeginUndoAction();
    for (const TextEdit& edit : plan.edits) {
        if (edit.removed > 0)
            editor.DeleteRange(edit.position, edit.removed);
        if (!edit.inserted.isEmpty())
            editor.InsertText(edit.position, edit.inserted);
    }
    editor.EndUndoAction();
    const long start = editor.PositionFromLine(plan.statLine);
    const long end = editor.LineEndPosition(plan.statLine);
    editor.GotoLine(plan.statLine);
    editor.SetSel(start, end);
}
