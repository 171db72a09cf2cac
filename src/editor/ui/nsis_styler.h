// NsisStyler: colours and folds an editing component's NSIS text with our lexer, as the component asks for it.
#pragma once

#include "nsis/core/nsis_keywords.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>
#include <vector>

class QsciScintillaBase;
class ScintillaCall;

// The component styles only what it is about to show: it asks from the
// first unstyled position, which an edit moves back to the edit's line. The
// lexer's state is kept at every 64th line start, not for each line, and
// styling from a line lexes again from the checkpoint before it. The rest
// of the text is styled in small steps while the program is idle, so a
// jump to the end of a large script finds it styled.
class NsisStyler : public QObject {
    Q_OBJECT
public:
    // Switches the component to container styling; the component owns the styler.
    explicit NsisStyler(ScintillaCall& call);

    // Replaces keyword set 0 to 3 and has the text styled again as it is shown.
    void SetKeywords(int set, const QString& words);

private:
    // Packed lexer states at the starts of lines 0, 64, 128, ...
    using Checkpoints = std::vector<int>;

    void StyleNeeded(int position);
    // Styles from the first unstyled line to the line holding position.
    void StyleTo(long position);
    // One idle step of styling what is not shown.
    void StyleRest();
    // Those of the document the component shows now.
    Checkpoints& DocumentCheckpoints();
    void SetLineLevel(long line, int level);
    long Send(unsigned int message, unsigned long wParam = 0, long lParam = 0) const;

    QsciScintillaBase* m_editor;
    NsisKeywords m_keywords;
    QTimer m_rest;
    void* m_document = nullptr;
    std::shared_ptr<Checkpoints> m_checkpoints;
};
