// CommandTipSource: the program's command tips and completion words, and their hook into each editor view.
#include "editor/ui/command_tipper.h"

#include "config/core/configurator.h"
#include "config/core/language.h"
#include "editor/core/command_tips.h"
#include "editor/ui/qsci_base.h"
#include "editor/ui/scrivo_view.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QPointer>
#include <algorithm>

namespace {

using Sci = QsciScintillaBase;
constexpr int kCompletionLists = 3;  // "instre1", "instre2", "type1"
const char kTipperName[] = "commandTipper";

// Lives as the view's child, so it ends with the view.
class ViewTipper : public QObject {
public:
    ViewTipper(CommandTipSource* source, CScrivoView* view) : QObject(view), m_source(source), m_view(view) {
        setObjectName(QLatin1StringView(kTipperName));
        QsciScintillaBase* editor = view->Editor();
        // The words are offered in keyword-list order, so Scintilla must not
        // assume them sorted; case is ignored as the list is built.
        view->Send(Sci::SCI_AUTOCSETORDER, Sci::SC_ORDER_CUSTOM);
        view->Send(Sci::SCI_AUTOCSETIGNORECASE, 1);
        connect(editor, &Sci::SCN_CHARADDED, this, &ViewTipper::OnCharAdded);
        connect(editor, &Sci::SCN_DWELLSTART, this, [this](int position, int, int) { OnDwellStart(position); });
        connect(editor, &Sci::SCN_DWELLEND, this, [this](int, int, int) { m_view->Send(Sci::SCI_CALLTIPCANCEL); });
        editor->installEventFilter(this);
    }

protected:
    // Seen before the component's own key handling, which would let Enter take the list's entry.
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && m_source && m_view->Send(Sci::SCI_AUTOCACTIVE) != 0)
            OnListKey(*static_cast<QKeyEvent*>(event));
        return false;
    }

private:
    void OnListKey(const QKeyEvent& key) {
        switch (key.key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Home:
        case Qt::Key_End:
            // With a modifier these keys close the list instead of moving in it.
            if ((key.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier)
                m_movedInList = true;
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (!EnterAcceptsCompletion(m_movedInList, WordBeforeCaret(LineToCaret()), m_source->Words()))
                m_view->Send(Sci::SCI_AUTOCCANCEL);  // Enter goes on and breaks the line
            break;
        default: break;
        }
    }

    void OnListPressed() { m_movedInList = true; }

    QByteArray Line(long line) const {
        const long length = m_view->Send(Sci::SCI_LINELENGTH, (unsigned long)line);
        QByteArray text(length + 1, '\0');
        m_view->Editor()->SendScintilla(Sci::SCI_GETLINE, (unsigned long)line, static_cast<void*>(text.data()));
        text.truncate(length);
        return text;
    }

    QByteArray LineToCaret() const {
        const long caret = m_view->Send(Sci::SCI_GETCURRENTPOS);
        const long line = m_view->Send(Sci::SCI_LINEFROMPOSITION, (unsigned long)caret);
        const long index = caret - m_view->Send(Sci::SCI_POSITIONFROMLINE, (unsigned long)line);
        QByteArray text = Line(line);
        text.truncate(std::clamp(index, 0L, long(text.size())));
        return text;
    }

    // How our lexer styles the character just typed; the component styles
    // lazily, so the caret's line is styled first.
    NsisStyle TypedStyle(long caret) const {
        const long line = m_view->Send(Sci::SCI_LINEFROMPOSITION, (unsigned long)caret);
        m_view->Send(Sci::SCI_COLOURISE, m_view->Send(Sci::SCI_POSITIONFROMLINE, (unsigned long)line), caret);
        return NsisStyle(m_view->Send(Sci::SCI_GETSTYLEAT, (unsigned long)(caret - 1)));
    }

    void OnCharAdded(int character) {
        if (!m_source || character <= 0 || character > 0x7F)
            return;
        const long caret = m_view->Send(Sci::SCI_GETCURRENTPOS);
        const char typed = char(character);
        const NsisStyle style = IsTipWordChar(typed) ? TypedStyle(caret) : NsisStyle::Default;
        const auto table = m_source->Table();
        Apply(::OnCharAdded(LineToCaret(), typed, *table, m_source->Words(), style), caret);
    }

    void OnDwellStart(int position) {
        if (!m_source || position < 0)
            return;
        const long line = m_view->Send(Sci::SCI_LINEFROMPOSITION, (unsigned long)position);
        const long index = position - m_view->Send(Sci::SCI_POSITIONFROMLINE, (unsigned long)line);
        const auto table = m_source->Table();
        const bool tipOpen = m_view->Send(Sci::SCI_CALLTIPACTIVE) != 0;
        Apply(::OnDwellStart(Line(line), index, position, tipOpen, *table, m_hover), position);
    }

    void Apply(const TipAction& action, long position) {
        switch (action.kind) {
        case TipAction::Kind::None: break;
        case TipAction::Kind::ShowTip:
            m_view->Send(Sci::SCI_CALLTIPSETBACK, kTipBackColour);
            m_view->Editor()->SendScintilla(Sci::SCI_CALLTIPSHOW, (unsigned long)position, action.text.constData());
            break;
        case TipAction::Kind::CancelTip: m_view->Send(Sci::SCI_CALLTIPCANCEL); break;
        case TipAction::Kind::ShowCompletion:
            m_movedInList = false;
            m_view->Send(Sci::SCI_AUTOCSETMAXHEIGHT, kCompletionMaxRows);
            m_view->Editor()->SendScintilla(Sci::SCI_AUTOCSHOW, (unsigned long)action.prefixLength,
                                            action.text.constData());
            // The component makes a list widget for each list it shows.
            for (auto* list : m_view->Editor()->findChildren<QListWidget*>(Qt::FindDirectChildrenOnly))
                connect(list, &QAbstractItemView::pressed, this, &ViewTipper::OnListPressed, Qt::UniqueConnection);
            break;
        }
    }

    QPointer<CommandTipSource> m_source;
    CScrivoView* m_view;
    HoverTipMemory m_hover;
    // The user moved through the open list: only then does Enter take its entry.
    bool m_movedInList = false;
};

}  // namespace

CommandTipSource::CommandTipSource(const Configurator& config, QObject* parent) : QObject(parent), m_config(config) {}

CommandTipSource::~CommandTipSource() = default;

void CommandTipSource::StartReader(const QString& compilerPath) {
    if (m_reader)
        return;
    m_reader = std::make_unique<CGetNsisFuncTipsThread>(compilerPath);
    m_reader->Start();
}

bool CommandTipSource::HasFinished() const { return m_reader && m_reader->HasFinished(); }

std::shared_ptr<const NsisTipsTable> CommandTipSource::Table() const {
    static const auto empty = std::make_shared<const NsisTipsTable>();
    return m_reader ? m_reader->Table() : empty;
}

const QList<QByteArray>& CommandTipSource::Words() {
    if (!m_wordsRead) {
        m_wordsRead = true;
        QList<QByteArray> lists;
        for (int keywordClass = 0; keywordClass < kCompletionLists; ++keywordClass)
            lists << m_config.KeywordsFor(kNsisLanguageId, keywordClass).value_or(QString()).toUtf8();
        m_words = BuildCompletionWords(lists);
    }
    return m_words;
}

void CommandTipSource::Attach(CScrivoView* view) {
    Words();
    if (view->findChild<QObject*>(QLatin1StringView(kTipperName), Qt::FindDirectChildrenOnly))
        return;
    new ViewTipper(this, view);
}
