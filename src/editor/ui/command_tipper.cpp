// CommandTipSource: the program's command tips and completion words, and their hook into each editor view.
#include "editor/ui/command_tipper.h"

#include "config/core/configurator.h"
#include "config/core/language.h"
#include "editor/core/command_tips.h"
#include "editor/core/manual_cache.h"
#include "editor/ui/manual_tipper.h"
#include "editor/ui/scrivo_view.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QListWidget>
#include <QPointer>
#include <QWidget>
#include <algorithm>

namespace {

using Sc = ScintillaCall;
constexpr int kCompletionLists = 3;  // "instre1", "instre2", "type1"
const char kTipperName[] = "commandTipper";

// Lives as the view's child, so it ends with the view.
class ViewTipper : public QObject {
public:
    ViewTipper(CommandTipSource* source, CScrivoView* view)
        : QObject(view), m_source(source), m_view(view), m_manual(new ManualTipper(source, view)) {
        setObjectName(QLatin1StringView(kTipperName));
        ScintillaCall* call = &view->Call();
        // The words are offered in keyword-list order, so Scintilla must not
        // assume them sorted; case is ignored as the list is built.
        call->AutoCSetOrder(Sc::kOrderCustom);
        call->AutoCSetIgnoreCase(true);
        connect(call, &Sc::CharAdded, this, &ViewTipper::OnCharAdded);
        connect(call, &Sc::DwellStarted, this, &ViewTipper::OnDwellStart);
        connect(call, &Sc::DwellEnded, this, [this] { m_view->Call().CallTipCancel(); });
        call->Widget()->installEventFilter(this);
    }

protected:
    // Seen before the component's own key handling, which would let Enter take the list's entry.
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && m_source && m_view->Call().AutoCActive())
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
                m_view->Call().AutoCCancel();  // Enter goes on and breaks the line
            break;
        default: break;
        }
    }

    void OnListPressed() { m_movedInList = true; }

    QByteArray Line(long line) const { return m_view->Call().GetLine(line); }

    QByteArray LineToCaret() const {
        const ScintillaCall& call = m_view->Call();
        const long caret = call.CurrentPos();
        const long line = call.LineFromPosition(caret);
        const long index = caret - call.PositionFromLine(line);
        QByteArray text = Line(line);
        text.truncate(std::clamp(index, 0L, long(text.size())));
        return text;
    }

    // How our lexer styles the character just typed; the component styles
    // lazily, so the caret's line is styled first.
    NsisStyle TypedStyle(long caret) const {
        ScintillaCall& call = m_view->Call();
        call.Colourise(call.PositionFromLine(call.LineFromPosition(caret)), caret);
        return NsisStyle(call.StyleAt(caret - 1));
    }

    void OnCharAdded(int character) {
        if (!m_source || character <= 0 || character > 0x7F)
            return;
        if (character == ' ' && m_manual->OnBlank())
            return;
        const long caret = m_view->Call().CurrentPos();
        const char typed = char(character);
        const NsisStyle style = IsTipWordChar(typed) ? TypedStyle(caret) : NsisStyle::Default;
        const auto table = m_source->Table();
        Apply(::OnCharAdded(LineToCaret(), typed, *table, m_source->Words(), style), caret);
    }

    void OnDwellStart(Sc::Position position) {
        if (!m_source || position < 0 || m_manual->OnDwellStart(position))
            return;
        const ScintillaCall& call = m_view->Call();
        const long line = call.LineFromPosition(position);
        const long index = position - call.PositionFromLine(line);
        const auto table = m_source->Table();
        const bool tipOpen = call.CallTipActive();
        Apply(::OnDwellStart(Line(line), index, position, tipOpen, *table, m_hover), position);
    }

    void Apply(const TipAction& action, long position) {
        switch (action.kind) {
        case TipAction::Kind::None: break;
        case TipAction::Kind::ShowTip:
            m_view->Call().CallTipSetBack(kTipBackColour);
            m_view->Call().CallTipShow(position, action.text);
            KeepTipInsideWindow(*m_view->Call().Widget());
            break;
        case TipAction::Kind::CancelTip: m_view->Call().CallTipCancel(); break;
        case TipAction::Kind::ShowCompletion:
            m_movedInList = false;
            m_view->Call().AutoCSetMaxHeight(kCompletionMaxRows);
            m_view->Call().AutoCShow(action.prefixLength, action.text);
            // The component makes a list widget for each list it shows.
            for (auto* list : m_view->Call().Widget()->findChildren<QListWidget*>(Qt::FindDirectChildrenOnly))
                connect(list, &QAbstractItemView::pressed, this, &ViewTipper::OnListPressed, Qt::UniqueConnection);
            break;
        }
    }

    QPointer<CommandTipSource> m_source;
    CScrivoView* m_view;
    ManualTipper* m_manual;
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
    // The configured manual's folder serves when the compiler names none.
    const QString helpPath = m_config.GetHelpPath();
    m_manual = std::make_unique<CManualIndexThread>(
        compilerPath, helpPath.isEmpty() ? QString() : QFileInfo(helpPath).path(), ManualCacheFile());
    m_manual->Start();
}

std::shared_ptr<const ManualIndex> CommandTipSource::Manual() const {
    static const auto empty = std::make_shared<const ManualIndex>();
    return m_manual ? m_manual->Index() : empty;
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
