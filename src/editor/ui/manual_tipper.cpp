// ManualTipper: the NSIS manual at a view's caret and mouse: hover tips, parameter help, completion notes, F1.
#include "editor/ui/manual_tipper.h"

#include "editor/core/manual_tips.h"
#include "editor/ui/command_tipper.h"
#include "editor/ui/scrivo_view.h"

#include <QKeyEvent>
#include <QLabel>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

using Sc = ScintillaCall;
const char kManualTipperName[] = "manualTipper";
constexpr int kNoteGap = 4;
const char kCallTipClass[] = "QsciSciCallTip";

}  // namespace

void KeepTipInsideWindow(QWidget& editor) {
    const QRect window = editor.window()->geometry();
    for (QWidget* child : editor.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!child->isWindow() || !child->isVisible()
            || !QByteArray(child->metaObject()->className()).contains("CallTip"))
            continue;
        const QRect tip = child->geometry();
        if (tip.right() > window.right())
            child->move(std::max(window.left(), window.right() - tip.width() + 1), tip.top());
    }
}

ManualTipper::ManualTipper(CommandTipSource* source, CScrivoView* view)
    : QObject(view), m_source(source), m_view(view), m_note(new QLabel(view, Qt::ToolTip)) {
    setObjectName(QLatin1StringView(kManualTipperName));
    m_note->setObjectName(QStringLiteral("completionNote"));
    m_note->setWordWrap(true);
    m_note->setMaximumWidth(420);
    m_note->setMargin(3);
    m_note->setStyleSheet(QStringLiteral("background:#FFFFDF; color:black; border:1px solid #808080"));
    m_note->hide();
    ScintillaCall* call = &view->Call();
    // The list can show one column only, so the selected word's description
    // stands beside it in a note of its own.
    connect(call, &Sc::AutoCSelectionChanged, this, &ManualTipper::OnCompletionSelection);
    connect(call, &Sc::AutoCCancelled, this, &ManualTipper::HideNote);
    connect(call, &Sc::AutoCCompleted, this, &ManualTipper::HideNote);
    connect(call, &Sc::AutoCSelected, this, &ManualTipper::HideNote);
    connect(call, &Sc::FocusOut, this, &ManualTipper::HideNote);
    // The view closes the list itself on Escape, which the component does not report.
    connect(call, &Sc::UpdatedUi, this, [this] {
        if (m_note->isVisible() && !m_view->Call().AutoCActive())
            HideNote();
    });
    call->Widget()->installEventFilter(this);
}

ManualTipper* ManualTipper::Of(const CScrivoView* view) {
    return view->findChild<ManualTipper*>(QLatin1StringView(kManualTipperName), Qt::FindDirectChildrenOnly);
}

void ManualTipper::ShowTip(Sc::Position position, const QByteArray& text, qsizetype highlightStart,
                           qsizetype highlightEnd) {
    ScintillaCall& call = m_view->Call();
    call.CallTipSetBack(kTipBackColour);
    call.CallTipShow(position, text);
    if (highlightStart >= 0)
        call.CallTipSetHlt(highlightStart, highlightEnd);
    KeepTipInsideWindow(*call.Widget());
    // The component paints its tip without text a screen reader could read.
    for (QWidget* tip : call.Widget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (qstrcmp(tip->metaObject()->className(), kCallTipClass) != 0)
            continue;
        tip->setAccessibleName(QString::fromUtf8(text));
        tip->setAccessibleDescription(
            highlightStart < 0
                ? QString()
                : u"当前参数: "_s + QString::fromUtf8(text.mid(highlightStart, highlightEnd - highlightStart)));
    }
}

bool ManualTipper::OnBlank() {
    if (!m_source)
        return false;
    const ScintillaCall& call = m_view->Call();
    const long caret = call.CurrentPos();
    const long line = call.LineFromPosition(caret);
    const long index = caret - call.PositionFromLine(line);
    const QByteArray text = call.GetLine(line);
    const auto tip = ParameterTip(QByteArrayView(text).first(std::clamp(index, 0L, long(text.size()))),
                                  *m_source->Manual(), *m_source->Table());
    if (!tip)
        return false;
    m_hoverUrl.clear();
    ShowTip(caret, tip->text, tip->highlightStart, tip->highlightEnd);
    return true;
}

bool ManualTipper::OnDwellStart(Sc::Position position) {
    if (!m_source || position < 0)
        return false;
    const ScintillaCall& call = m_view->Call();
    const long line = call.LineFromPosition(position);
    const long index = position - call.PositionFromLine(line);
    const QByteArray text = call.GetLine(line);
    const auto manual = m_source->Manual();
    if (!manual->IsAvailable()) {
        if (!m_source->ManualHasFinished())
            return false;
        // Said once, with the command help's tip, when the word has one.
        const auto table = m_source->Table();
        HoverTipMemory probe;
        const TipAction action = ::OnDwellStart(text, index, position, false, *table, probe);
        if (action.kind != TipAction::Kind::ShowTip || !m_source->TakeMissingManualNote())
            return false;
        ShowTip(position, action.text + '\n' + kManualMissingNote);
        return true;
    }
    const ManualSection* section = ManualSectionAt(*manual, text, index);
    if (!section)
        return false;
    const bool tipOpen = call.CallTipActive();
    const QByteArray name = section->name.toUtf8();
    if (tipOpen && m_hover.position == position && name.compare(m_hover.word, Qt::CaseInsensitive) == 0)
        return true;
    m_hover = {position, name};
    m_hoverUrl = manual->UrlOf(*section);
    ShowTip(position, HoverTipText(*section));
    return true;
}

QUrl ManualTipper::ContextUrl() const {
    if (!m_source)
        return {};
    const ScintillaCall& call = m_view->Call();
    if (!m_hoverUrl.isEmpty() && call.CallTipActive())
        return m_hoverUrl;
    const auto manual = m_source->Manual();
    const long caret = call.CurrentPos();
    const long line = call.LineFromPosition(caret);
    const long index = caret - call.PositionFromLine(line);
    const QByteArray text = call.GetLine(line);
    // The caret may stand just after the word.
    const ManualSection* section = ManualSectionAt(*manual, text, index);
    if (!section && index > 0)
        section = ManualSectionAt(*manual, text, index - 1);
    return section ? manual->UrlOf(*section) : QUrl();
}

void ManualTipper::OnCompletionSelection(const QByteArray& word, Sc::Position position) {
    if (!m_source || word.isEmpty()) {
        HideNote();
        return;
    }
    const QString note = CompletionNote(word, *m_source->Manual(), *m_source->Table());
    if (note.isEmpty()) {
        HideNote();
        return;
    }
    m_note->setText(note);
    m_note->adjustSize();
    // Above the word's line: the list opens below it.
    const ScintillaCall& call = m_view->Call();
    const QPoint at = call.Widget()->viewport()->mapToGlobal(
        QPoint(call.PointXFromPosition(position), call.PointYFromPosition(position)));
    m_note->move(at.x(), at.y() - m_note->height() - kNoteGap);
    m_note->show();
}

void ManualTipper::HideNote() { m_note->hide(); }

bool ManualTipper::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
        HideNote();
    return false;
}
