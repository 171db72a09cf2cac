// NsisStyler: colours and folds an editing component's NSIS text with our lexer, as the component asks for it.
#include "editor/ui/nsis_styler.h"

#include "nsis/core/nsis_lexer.h"
#include "editor/ui/qsci_base.h"
#include "editor/ui/scintilla_call.h"

#include <algorithm>

namespace {
using Sci = QsciScintillaBase;
// About 3 ms of lexing: a keystroke waits for at most one step.
constexpr long kIdleStepLines = 8000;
}  // namespace

NsisStyler::NsisStyler(ScintillaCall& call) : QObject(&call.Component()), m_editor(&call.Component()) {
    Send(Sci::SCI_SETLEXER, Sci::SCLEX_CONTAINER);
    connect(m_editor, &Sci::SCN_STYLENEEDED, this, &NsisStyler::StyleNeeded);
    m_rest.setSingleShot(true);
    m_rest.setInterval(0);
    connect(&m_rest, &QTimer::timeout, this, &NsisStyler::StyleRest);
}

long NsisStyler::Send(unsigned int message, unsigned long wParam, long lParam) const {
    return m_editor->SendScintilla(message, wParam, lParam);
}

void NsisStyler::SetKeywords(int set, const QString& words) {
    m_keywords.SetList(set, words.toUtf8().toStdString());
    // Everything is unstyled again; the component asks for what it shows.
    Send(Sci::SCI_STARTSTYLING, 0);
    m_editor->viewport()->update();
}

void NsisStyler::StyleNeeded(int position) {
    StyleTo(position);
    // Every paint after an edit or a load comes here: the rest follows when idle.
    if (Send(Sci::SCI_GETENDSTYLED) < Send(Sci::SCI_GETLENGTH))
        m_rest.start();
}

void NsisStyler::StyleRest() {
    const long endStyled = Send(Sci::SCI_GETENDSTYLED);
    const long length = Send(Sci::SCI_GETLENGTH);
    if (endStyled >= length)
        return;
    const long lastLine = Send(Sci::SCI_LINEFROMPOSITION, endStyled) + kIdleStepLines;
    StyleTo(Send(Sci::SCI_POSITIONFROMLINE, std::min(lastLine, Send(Sci::SCI_GETLINECOUNT) - 1)));
    if (Send(Sci::SCI_GETENDSTYLED) < length)
        m_rest.start();
}

void NsisStyler::SetLineLevelAndState(long line, int level, int state) {
    // Each change is a notice to every view of the document and a margin
    // repaint; most lines keep what they had.
    if (Send(Sci::SCI_GETFOLDLEVEL, line) != level)
        Send(Sci::SCI_SETFOLDLEVEL, line, level);
    if (Send(Sci::SCI_GETLINESTATE, line) != state)
        Send(Sci::SCI_SETLINESTATE, line, state);
}

void NsisStyler::StyleTo(long position) {
    const long lineCount = Send(Sci::SCI_GETLINECOUNT);
    const long firstLine = Send(Sci::SCI_LINEFROMPOSITION, Send(Sci::SCI_GETENDSTYLED));
    const long lastLine = Send(Sci::SCI_LINEFROMPOSITION, position);
    const long start = Send(Sci::SCI_POSITIONFROMLINE, firstLine);
    const long end = lastLine + 1 < lineCount ? Send(Sci::SCI_POSITIONFROMLINE, lastLine + 1)
                                              : Send(Sci::SCI_GETLENGTH);
    const NsisLexState before = firstLine > 0
        ? NsisLexState::Unpack(int(Send(Sci::SCI_GETLINESTATE, firstLine - 1)))
        : NsisLexState{};
    // A pointer into the component's own buffer: no copy of the text.
    const auto* text = reinterpret_cast<const char*>(Send(Sci::SCI_GETRANGEPOINTER, start, end - start));
    const NsisLexResult result = LexNsis(std::string_view(text, std::size_t(end - start)), before, m_keywords);

    Send(Sci::SCI_STARTSTYLING, start);
    m_editor->SendScintilla(Sci::SCI_SETSTYLINGEX, uintptr_t(result.styles.size()),
                            reinterpret_cast<const char*>(result.styles.data()));
    long line = firstLine;
    for (std::size_t i = 0; i < result.foldLevels.size() && line < lineCount; ++i, ++line)
        SetLineLevelAndState(line, result.foldLevels[i], result.lineEndStates[i].Pack());
    // The empty line after a final line end belongs to no range: it gets the level the text ends at.
    if (line == lineCount - 1 && end == Send(Sci::SCI_GETLENGTH) && !result.lineEndStates.empty())
        Send(Sci::SCI_SETFOLDLEVEL, line, result.lineEndStates.back().foldLevel);
}
