// NsisStyler: colours and folds an editing component's NSIS text with our lexer, as the component asks for it.
#include "editor/ui/nsis_styler.h"

#include "nsis/core/nsis_lexer.h"
#include "editor/ui/qsci_base.h"
#include "editor/ui/scintilla_call.h"

namespace {
using Sci = QsciScintillaBase;
}  // namespace

NsisStyler::NsisStyler(ScintillaCall& call) : QObject(&call.Component()), m_editor(&call.Component()) {
    Send(Sci::SCI_SETLEXER, Sci::SCLEX_CONTAINER);
    connect(m_editor, &Sci::SCN_STYLENEEDED, this, &NsisStyler::StyleNeeded);
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
    for (std::size_t i = 0; i < result.foldLevels.size() && line < lineCount; ++i, ++line) {
        Send(Sci::SCI_SETFOLDLEVEL, line, result.foldLevels[i]);
        Send(Sci::SCI_SETLINESTATE, line, result.lineEndStates[i].Pack());
    }
    // The empty line after a final line end belongs to no range: it gets the level the text ends at.
    if (line == lineCount - 1 && end == Send(Sci::SCI_GETLENGTH) && !result.lineEndStates.empty())
        Send(Sci::SCI_SETFOLDLEVEL, line, result.lineEndStates.back().foldLevel);
}
