// ManualTipper: the NSIS manual at a view's caret and mouse: hover tips, parameter help, completion notes, F1.
#pragma once

#include "editor/core/command_tips.h"
#include "editor/ui/scintilla_call.h"

#include <QObject>
#include <QPointer>
#include <QUrl>

class CommandTipSource;
class CScrivoView;
class QLabel;
class QWidget;

// The component places a call tip at the word and lets a long one run off the window's
// right edge: it is moved left until it ends there (or starts at the window's left).
void KeepTipInsideWindow(QWidget& editor);

// Lives as the view's child. The command-help tipper asks it first; when it
// has nothing to add, the command help's own tip is shown.
class ManualTipper : public QObject {
    Q_OBJECT
public:
    ManualTipper(CommandTipSource* source, CScrivoView* view);
    static ManualTipper* Of(const CScrivoView* view);

    // A blank was typed: true when it showed the parameter help.
    bool OnBlank();
    // The mouse rests at position: true when it showed (or kept) a tip.
    bool OnDwellStart(ScintillaCall::Position position);
    // F1: the section of the hovered keyword while its tip is open, else of
    // the keyword at the caret; empty when the manual has none.
    QUrl ContextUrl() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowTip(ScintillaCall::Position position, const QByteArray& text, qsizetype highlightStart = -1,
                 qsizetype highlightEnd = -1);
    void OnCompletionSelection(const QByteArray& word, ScintillaCall::Position position);
    void HideNote();

    QPointer<CommandTipSource> m_source;
    CScrivoView* m_view;
    HoverTipMemory m_hover;
    QUrl m_hoverUrl;
    QLabel* m_note;  // the completion word's description, beside the list
};
