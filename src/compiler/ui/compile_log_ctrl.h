// CCompileLogCtrl: the read-only pane below the documents that shows the compiler's output.
#pragma once

#include "editor/ui/scrivo_view.h"

#include <QByteArray>

class CCompileLogCtrl : public CScrivoView {
    Q_OBJECT
public:
    static constexpr int kBackColour = 0xC8C8C8;
    static constexpr int kCaretLineColour = 0xE1E1E1;
    static constexpr int kSelectionColour = 0x808040;

    CCompileLogCtrl(const Configurator& config, Prompter& prompter, QWidget* parent);

    void Append(const QByteArray& utf8);
    void Clear();
    void ScrollToEnd();
    // The text of a 0-based line, without its line end.
    QString LineText(int line) const;

    // Every style on the log's grey; style 0 also becomes the default style.
    void SetStyle(const WordsStyle& style) override;
};
