// ManualTipper: the NSIS manual at a view's caret and mouse: hover tips, parameter help, completion notes, F1.
#include "editor/ui/manual_tipper.h"

#include "editor/core/manual_tips.h"
#include "editor/ui/command_tipper.h"
#include "editor/ui/qsci_base.h"
#include "editor/ui/scrivo_view.h"

#include <QKeyEvent>
#include <QLabel>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

using Sci = QsciScintillaBase;
const char kManualTipperName[] = "manualTipper";
constexpr int kNoteGap = 4;
const char kCallTipClass[] = "QsciSciCallTip";

}  // namespace

ManualTipper::ManualTipper(CommandTipSource* source, CScrivoView* view)
    : QObject(view), m_source(source), m_view(view), m_note(new QLabel(view, Qt::ToolTip)) {
    setObjectName(QLatin1StringView(kManualTipperName));
    m_note->setObjectName(QStringLiteral("completionNote"));
    m_note->setWordWrap(true);
    m_note->setMaximumWidth(420);
    m_note->setMargin(3);
    m_note->setStyleSheet(QStringLiteral("background:#FFFFDF; color:black; border:1px solid #808080"));
    m_note->hide();
    QsciScintillaBase* editor = view->Editor();
    // The list can show one column only, so the selected word's description
    // stands beside it in a note of its own.
    connect(editor, &Sci::SCN_AUTOCSELECTIONCHANGE, this,
            [this](const char* word, int, int position) { OnCompletionSelection(word, position); });
    connect(editor, &Sci::SCN_AUTOCCANCELLED, this, &ManualTipper::HideNote);
    connect(editor, &Sci::SCN_AUTOCCOMPLETED, this, [this](const char*, int, int, int) { HideNote(); });
    connect(editor, qOverload<const char*, int, int, int>(&Sci::SCN_AUTOCSELECTION), this,
            [this](const char*, int, int, int) { HideNote(); });
    connect(editor, &Sci::SCN_FOCUSOUT, this, &ManualTipper::HideNote);
    // The view closes the list itself on Escape, which the component does not report.
    connect(editor, &Sci::SCN_UPDATEUI, this, [this] {
        if (m_note->isVisible() && m_view->Send(Sci::SCI_AUTOCACTIVE) == 0)
            HideNote();
    });
    editor->installEventFilter(this);
}

ManualTipper* ManualTipper::Of(const CScrivoView* view) {
    return view->findChild<ManualTipper*>(QLatin1StringView(kManualTipperName), Qt::FindDirectChildrenOnly);
}

QByteArray ManualTipper::Line(long line) const {
    const long length = m_view->Send(Sci::SCI_LINELENGTH, (unsigned long)line);
    QByteArray text(length + 1, '\0');
    m_view->Editor()->SendScintilla(Sci::SCI_GETLINE, (unsigned long)line, static_cast<void*>(text.data()));
    text.truncate(length);
    return text;
}

void ManualTipper::ShowTip(long position, const QByteArray& text, qsizetype highlightStart, qsizetype highlightEnd) {
    m_view->Send(Sci::SCI_CALLTIPSETBACK, kTipBackColour);
    m_view->Editor()->SendScintilla(Sci::SCI_CALLTIPSHOW, (unsigned long)position, text.constData());
    if (highlightStart >= 0)
        m_view->Send(Sci::SCI_CALLTIPSETHLT, long(highlightStart), long(highlightEnd));
    // The component paints its tip without text a screen reader could read.
    for (QWidget* tip : m_view->Editor()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
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
    const long caret = m_view->Send(Sci::SCI_GETCURRENTPOS);
    const long line = m_view->Send(Sci::SCI_LINEFROMPOSITION, (unsigned long)caret);
    const long index = caret - m_view->Send(Sci::SCI_POSITIONFROMLINE, (unsigned long)line);
    const QByteArray text = Line(line);
    const auto tip = ParameterTip(QByteArrayView(text).first(std::clamp(index, 0L, long(text.size()))),
                                  *m_source->Manual(), *m_source->Table());
    if (!tip)
        return false;
    m_hoverUrl.clear();
    ShowTip(caret, tip->text, tip->highlightStart, tip->highlightEnd);
    return true;
}

bool ManualTipper::OnDwellStart(int position) {
    if (!m_source || position < 0)
        return false;
    const long line = m_view->Send(Sci::SCI_LINEFROMPOSITION, (unsigned long)position);
    const long index = position - m_view->Send(Sci::SCI_POSITIONFROMLINE, (unsigned long)line);
    const QByteArray text = Line(line);
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
    const bool tipOpen = m_view->Send(Sci::SCI_CALLTIPACTIVE) != 0;
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
    if (!m_hoverUrl.isEmpty() && m_view->Send(Sci::SCI_CALLTIPACTIVE) != 0)
        return m_hoverUrl;
    const auto manual = m_source->Manual();
    const long caret = m_view->Send(Sci::SCI_GETCURRENTPOS);
    const long line = m_view->Send(Sci::SCI_LINEFROMPOSITION, (unsigned long)caret);
    const long index = caret - m_view->Send(Sci::SCI_POSITIONFROMLINE, (unsigned long)line);
    const QByteArray text = Line(line);
    // The caret may stand just after the word.
    const ManualSection* section = ManualSectionAt(*manual, text, index);
    if (!section && index > 0)
        section = ManualSectionAt(*manual, text, index - 1);
    return section ? manual->UrlOf(*section) : QUrl();
}

void ManualTipper::OnCompletionSelection(const char* word, int position) {
    if (!m_source || !word) {
        HideNote();
        return;
    }
    const QString note = CompletionNote(QByteArray(word), *m_source->Manual(), *m_source->Table());
    if (note.isEmpty()) {
        HideNote();
        return;
    }
    m_note->setText(note);
    m_note->adjustSize();
    // Above the word's line: the list opens below it.
    QsciScintillaBase* editor = m_view->Editor();
    const int x = int(m_view->Send(Sci::SCI_POINTXFROMPOSITION, 0, position));
    const int y = int(m_view->Send(Sci::SCI_POINTYFROMPOSITION, 0, position));
    const QPoint at = editor->viewport()->mapToGlobal(QPoint(x, y));
    m_note->move(at.x(), at.y() - m_note->height() - kNoteGap);
    m_note->show();
}

void ManualTipper::HideNote() { m_note->hide(); }

bool ManualTipper::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
        HideNote();
    return false;
}
