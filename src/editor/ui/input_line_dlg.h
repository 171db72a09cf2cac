// CInputLineDlg: the modal "前往行号" dialog and the go-to-line command it serves.
#pragma once

#include <QDialog>

class QLineEdit;
class ScintillaCall;

class CInputLineDlg : public QDialog {
    Q_OBJECT
public:
    // line: the 1-based number the field starts with.
    CInputLineDlg(long line, QWidget* owner);

    QString Field() const;

    // Asks for a line and moves the editor's caret to its start, the line in the middle of the view.
    static void GoToLine(ScintillaCall& editor, QWidget* owner);

private:
    QLineEdit* m_field;
};
