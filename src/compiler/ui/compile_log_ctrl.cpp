// CCompileLogCtrl: the read-only pane below the documents that shows the compiler's output.
#include "compiler/ui/compile_log_ctrl.h"

#include "config/core/lexer_type.h"
#include "editor/ui/nsis_text_view.h"
#include "editor/ui/qsci_base.h"

#include <QVBoxLayout>

namespace {

using Sci = QsciScintillaBase;

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
    Send(Sci::SCI_SETMODEVENTMASK, 0);
    Send(Sci::SCI_SETUNDOCOLLECTION, 0);
    Send(Sci::SCI_SETHSCROLLBAR, 0);
    Send(Sci::SCI_SETINDENTATIONGUIDES, Sci::SC_IV_LOOKBOTH);
    Send(Sci::SCI_SETREADONLY, 1);
    Send(Sci::SCI_SETCARETLINEVISIBLE, 1);
    Send(Sci::SCI_SETCARETLINEBACK, kCaretLineColour);
    Send(Sci::SCI_SETSELBACK, 1, kSelectionColour);
}

QsciScintillaBase* CCompileLogCtrl::Editor() const { return m_text->Editor(); }

long CCompileLogCtrl::Send(unsigned int message, long wParam, long lParam) const {
    return m_text->Send(message, wParam, lParam);
}

QByteArray CCompileLogCtrl::Text() const { return m_text->Text(); }

void CCompileLogCtrl::Append(const QByteArray& utf8) {
    if (utf8.isEmpty())
        return;
    Send(Sci::SCI_SETREADONLY, 0);
    Editor()->SendScintilla(Sci::SCI_APPENDTEXT, uintptr_t(utf8.size()), utf8.constData());
    Send(Sci::SCI_SETREADONLY, 1);
}

void CCompileLogCtrl::Clear() {
    Send(Sci::SCI_SETREADONLY, 0);
    Send(Sci::SCI_CLEARALL);
    Send(Sci::SCI_SETREADONLY, 1);
}

void CCompileLogCtrl::ScrollToEnd() { Send(Sci::SCI_LINESCROLL, 0, Send(Sci::SCI_GETLINECOUNT)); }

QString CCompileLogCtrl::LineText(int line) const {
    QByteArray text(Send(Sci::SCI_LINELENGTH, line), '\0');
    if (!text.isEmpty())
        Editor()->SendScintilla(Sci::SCI_GETLINE, static_cast<unsigned long>(line), static_cast<void*>(text.data()));
    while (text.endsWith('\n') || text.endsWith('\r'))
        text.chop(1);
    return QString::fromUtf8(text);
}
