// CCompileLogCtrl: the read-only pane below the documents that shows the compiler's output.
#include "compiler/ui/compile_log_ctrl.h"

#include "config/core/language.h"
#include "config/core/lexer_type.h"
#include "editor/ui/qsci_base.h"

namespace {
using Sci = QsciScintillaBase;
constexpr int kDefaultStyle = 32;
}  // namespace

CCompileLogCtrl::CCompileLogCtrl(const Configurator& config, Prompter& prompter, QWidget* parent)
    : CScrivoView(config, prompter, parent) {
    RemoveMargins();
    // Nobody follows the log's edits, and the component answers every
    // insert it reports by counting the characters before it: appending to a
    // large log would grow slower with every chunk.
    Send(Sci::SCI_SETMODEVENTMASK, 0);
    Send(Sci::SCI_SETUNDOCOLLECTION, 0);
    Send(Sci::SCI_SETHSCROLLBAR, 0);
    Send(Sci::SCI_SETINDENTATIONGUIDES, Sci::SC_IV_LOOKBOTH);
    Send(Sci::SCI_SETREADONLY, 1);
    // The base class styled the component before this class existed; again,
    // now through this SetStyle.
    SetLexer(kNsisLanguageId, 15);
    Send(Sci::SCI_SETCARETLINEVISIBLE, 1);
    Send(Sci::SCI_SETCARETLINEBACK, kCaretLineColour);
    Send(Sci::SCI_SETSELBACK, 1, kSelectionColour);
    Send(Sci::SCI_SETCODEPAGE, Sci::SC_CP_UTF8);
}

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

void CCompileLogCtrl::ScrollToEnd() {
    Send(Sci::SCI_LINESCROLL, 0, Send(Sci::SCI_GETLINECOUNT));
}

QString CCompileLogCtrl::LineText(int line) const {
    QByteArray text(Send(Sci::SCI_LINELENGTH, line), '\0');
    if (!text.isEmpty())
        Editor()->SendScintilla(Sci::SCI_GETLINE, static_cast<unsigned long>(line), static_cast<void*>(text.data()));
    while (text.endsWith('\n') || text.endsWith('\r'))
        text.chop(1);
    return QString::fromUtf8(text);
}

void CCompileLogCtrl::SetStyle(const WordsStyle& style) {
    WordsStyle grey = style;
    grey.backColour = kBackColour;
    ApplyStyle(grey);
    if (style.styleId == 0) {
        grey.styleId = kDefaultStyle;
        ApplyStyle(grey);
    }
}
