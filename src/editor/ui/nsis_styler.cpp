// NsisStyler: colours and folds an editing component's NSIS text with our lexer, as the component asks for it.
#include "editor/ui/nsis_styler.h"

#include "nsis/core/nsis_lexer.h"
#include "editor/ui/qsci_base.h"
#include "editor/ui/scintilla_call.h"

#include <algorithm>
#include <unordered_map>

namespace {
using Sci = QsciScintillaBase;
// About 3 ms of lexing: a keystroke waits for at most one step.
constexpr long kIdleStepLines = 8000;
// At most 63 lines lexed again per restart; 4 bytes per 64 lines kept.
constexpr long kCheckpointLines = 64;

// One set per document, shared by the stylers of all views that show it
// (an editor and its thumbnail): styling in any of them moves the
// document's one end of styling.
std::shared_ptr<std::vector<int>> SharedCheckpoints(void* document) {
    static std::unordered_map<void*, std::weak_ptr<std::vector<int>>> shared;
    std::erase_if(shared, [](const auto& entry) { return entry.second.expired(); });
    std::weak_ptr<std::vector<int>>& entry = shared[document];
    if (auto checkpoints = entry.lock())
        return checkpoints;
    // A document at the address of a gone one starts unstyled: only line 0's
    // state is read before styling writes the others again.
    auto checkpoints = std::make_shared<std::vector<int>>(1, NsisLexState{}.Pack());
    entry = checkpoints;
    return checkpoints;
}

// Stores the states at the checkpoint lines that lexing from line `from` (a
// checkpoint line) reached, and drops checkpoints past the last line.
void KeepCheckpoints(std::vector<int>& checkpoints, long from, const std::vector<NsisLexState>& lineEndStates,
                     long lineCount) {
    // lineEndStates[i] is the state at the start of line from + i + 1.
    const long reached = std::min(from + long(lineEndStates.size()), lineCount - 1);
    for (long line = from + kCheckpointLines; line <= reached; line += kCheckpointLines) {
        const auto index = std::size_t(line / kCheckpointLines);
        const int state = lineEndStates[std::size_t(line - from - 1)].Pack();
        if (index < checkpoints.size())
            checkpoints[index] = state;
        else
            checkpoints.push_back(state);  // lexing starts at a kept checkpoint: none is skipped
    }
    checkpoints.resize(std::min(checkpoints.size(), std::size_t((lineCount - 1) / kCheckpointLines + 1)));
}
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

NsisStyler::Checkpoints& NsisStyler::DocumentCheckpoints() {
    // A view's document changes when a load completes or the thumbnail follows another editor.
    void* document = m_editor->SendScintillaPtrResult(Sci::SCI_GETDOCPOINTER);
    if (!m_checkpoints || document != m_document) {
        m_document = document;
        m_checkpoints = SharedCheckpoints(document);
    }
    return *m_checkpoints;
}

void NsisStyler::SetLineLevel(long line, int level) {
    // Each change is a notice to every view of the document and a margin
    // repaint; most lines keep what they had.
    if (Send(Sci::SCI_GETFOLDLEVEL, line) != level)
        Send(Sci::SCI_SETFOLDLEVEL, line, level);
}

void NsisStyler::StyleTo(long position) {
    Checkpoints& checkpoints = DocumentCheckpoints();
    const long lineCount = Send(Sci::SCI_GETLINECOUNT);
    const long firstLine = Send(Sci::SCI_LINEFROMPOSITION, Send(Sci::SCI_GETENDSTYLED));
    const long lastLine = Send(Sci::SCI_LINEFROMPOSITION, position);
    if (lastLine < firstLine)
        return;
    // An edit moves the end of styling back to its line at least, so the
    // checkpoints up to firstLine hold for the text as it is; later ones are
    // rewritten before use.
    const std::size_t checkpoint = std::min(std::size_t(firstLine / kCheckpointLines), checkpoints.size() - 1);
    const long lexLine = long(checkpoint) * kCheckpointLines;
    const long lexStart = Send(Sci::SCI_POSITIONFROMLINE, lexLine);
    const long start = Send(Sci::SCI_POSITIONFROMLINE, firstLine);
    const long end =
        lastLine + 1 < lineCount ? Send(Sci::SCI_POSITIONFROMLINE, lastLine + 1) : Send(Sci::SCI_GETLENGTH);
    // A pointer into the component's own buffer: no copy of the text.
    const auto* text = reinterpret_cast<const char*>(Send(Sci::SCI_GETRANGEPOINTER, lexStart, end - lexStart));
    const NsisLexResult result = LexNsis(std::string_view(text, std::size_t(end - lexStart)),
                                         NsisLexState::Unpack(checkpoints[checkpoint]), m_keywords);
    KeepCheckpoints(checkpoints, lexLine, result.lineEndStates, lineCount);

    // The lines before firstLine were lexed for their state only.
    const auto skippedBytes = std::size_t(start - lexStart);
    Send(Sci::SCI_STARTSTYLING, start);
    m_editor->SendScintilla(Sci::SCI_SETSTYLINGEX, uintptr_t(result.styles.size() - skippedBytes),
                            reinterpret_cast<const char*>(result.styles.data() + skippedBytes));
    long line = firstLine;
    for (auto i = std::size_t(firstLine - lexLine); i < result.foldLevels.size() && line < lineCount; ++i, ++line)
        SetLineLevel(line, result.foldLevels[i]);
    // The empty line after a final line end belongs to no range: it gets the level the text ends at.
    if (line == lineCount - 1 && end == Send(Sci::SCI_GETLENGTH) && !result.lineEndStates.empty())
        SetLineLevel(line, result.lineEndStates.back().foldLevel);
}
