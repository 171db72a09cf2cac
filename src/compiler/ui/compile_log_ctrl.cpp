// CCompileLogCtrl: the read-only pane below the documents that shows the compiler's output.
#include "compiler/ui/compile_log_ctrl.h"

#include "config/core/lexer_type.h"
#include "editor/ui/nsis_text_view.h"

#include <QVBoxLayout>

namespace {

// Every style on the log's grey.
WordsStyle OnGrey(const WordsStyle& style) {
    WordsStyle grey = style;
    grey.backColour = CCompileLogCtrl::kBackColour;
    return grey;
}

}  // namespace

CCompileLogCtrl::CCompileLogCtrl(const Configurator& config, QWidget* parent)
    : QWidget(parent), m_text(new CNsisTextView(config, this, OnGrey)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_text);
    setFocusProxy(m_text);
    m_text->RemoveMargins();
    // Nobody follows the log's edits, and the component answers every
    // insert it reports by counting the characters before it: appending to a
    // large log would grow slower with every chunk.
    ScintillaCall& call = Call();
    call.SetModEventMask(0);
    call.SetUndoCollection(false);
    call.SetHScrollBar(false);
    call.SetIndentationGuides(ScintillaCall::IndentView::LookBoth);
    call.SetReadOnly(true);
    call.SetCaretLineVisible(true);
    call.SetCaretLineBack(kCaretLineColour);
    call.SetSelBack(true, kSelectionColour);
}

ScintillaCall& CCompileLogCtrl::Call() const { return m_text->Call(); }

QByteArray CCompileLogCtrl::Text() const { return m_text->Text(); }

void CCompileLogCtrl::Append(const QByteArray& utf8) {
    if (utf8.isEmpty())
        return;
    ScintillaCall& call = Call();
    call.SetReadOnly(false);
    call.AppendText(utf8);
    call.SetReadOnly(true);
}

void CCompileLogCtrl::Clear() {
    ScintillaCall& call = Call();
    call.SetReadOnly(false);
    call.ClearAll();
    call.SetReadOnly(true);
}

void CCompileLogCtrl::ScrollToEnd() { Call().LineScroll(0, Call().LineCount()); }

QString CCompileLogCtrl::LineText(int line) const {
    QByteArray text = Call().GetLine(line);
    while (text.endsWith('\n') || text.endsWith('\r'))
        text.chop(1);
    return QString::fromUtf8(text);
}
