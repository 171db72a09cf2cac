// CDiagnosticMarks: a compile's errors and warnings marked in an editor view: margin markers, a squiggle, hover text.
#include "editor/ui/diagnostic_marks.h"

#include "editor/ui/scrivo_view.h"

#include <QAbstractScrollArea>

#include <QHelpEvent>
#include <QToolTip>

namespace {
using Symbol = ScintillaCall::MarkerSymbol;
constexpr int kMarkMargin = 1;
constexpr int kMarkMarginWidth = 16;
constexpr int kRed = 0x0000E0;  // the component's order: red in the low byte
constexpr int kAmber = 0x00A5FF;
constexpr int kWhite = 0xFFFFFF;
}  // namespace

CDiagnosticMarks& CDiagnosticMarks::Of(CScrivoView& view) {
    if (auto* marks = view.findChild<CDiagnosticMarks*>(QString(), Qt::FindDirectChildrenOnly))
        return *marks;
    return *new CDiagnosticMarks(view);
}

CDiagnosticMarks::CDiagnosticMarks(CScrivoView& view) : QObject(&view), m_view(view) {
    ScintillaCall& call = m_view.Call();
    call.MarkerDefine(kErrorMarker, Symbol::Circle);
    call.MarkerSetFore(kErrorMarker, kWhite);
    call.MarkerSetBack(kErrorMarker, kRed);
    call.MarkerDefine(kWarningMarker, Symbol::ShortArrow);
    call.MarkerSetFore(kWarningMarker, 0);
    call.MarkerSetBack(kWarningMarker, kAmber);
    call.IndicSetStyle(kErrorIndicator, ScintillaCall::IndicatorStyle::Squiggle);
    call.IndicSetFore(kErrorIndicator, kRed);
    call.Widget()->viewport()->installEventFilter(this);
}

void CDiagnosticMarks::ShowMargin(bool shown) {
    m_view.Call().SetMarginMaskN(kMarkMargin, shown ? (1 << kErrorMarker) | (1 << kWarningMarker) : 0);
    m_view.Call().SetMarginWidthN(kMarkMargin, shown ? kMarkMarginWidth : 0);
}

void CDiagnosticMarks::Add(int line, bool error, const QString& message) {
    ScintillaCall& call = m_view.Call();
    if (line < 0 || line >= call.LineCount())
        return;
    if (m_marks.isEmpty())
        ShowMargin(true);
    const int handle = call.MarkerAdd(line, error ? kErrorMarker : kWarningMarker);
    m_marks.append({handle, error, message});
    if (!error)
        return;
    // From the first character that is not a blank to the end of the line.
    const long start = call.LineIndentPosition(line);
    const long end = call.LineEndPosition(line);
    call.SetIndicatorCurrent(kErrorIndicator);
    call.IndicatorFillRange(start, std::max(end - start, 1L));
}

void CDiagnosticMarks::Clear() {
    if (m_marks.isEmpty())
        return;
    ScintillaCall& call = m_view.Call();
    call.MarkerDeleteAll(kErrorMarker);
    call.MarkerDeleteAll(kWarningMarker);
    call.SetIndicatorCurrent(kErrorIndicator);
    call.IndicatorClearRange(0, call.Length());
    m_marks.clear();
    ShowMargin(false);
}

QList<int> CDiagnosticMarks::Lines(bool error) const {
    QList<int> lines;
    for (const Mark& mark : m_marks) {
        const int line = m_view.Call().MarkerLineFromHandle(mark.handle);
        if (mark.error == error && line >= 0)
            lines.append(line);
    }
    return lines;
}

bool CDiagnosticMarks::HasSquiggle(int line) const {
    const ScintillaCall& call = m_view.Call();
    return call.IndicatorValueAt(kErrorIndicator, call.LineIndentPosition(line)) != 0;
}

QString CDiagnosticMarks::MessageAt(int line) const {
    QStringList messages;
    for (const Mark& mark : m_marks) {
        if (m_view.Call().MarkerLineFromHandle(mark.handle) == line)
            messages.append(mark.message);
    }
    return messages.join(u'\n');
}

bool CDiagnosticMarks::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ToolTip || m_marks.isEmpty())
        return QObject::eventFilter(watched, event);
    auto* help = static_cast<QHelpEvent*>(event);
    // The point's line, also over the margin, where x is left of the text.
    const ScintillaCall& call = m_view.Call();
    const QString message = MessageAt(call.LineFromPosition(call.PositionFromPoint(std::max(help->pos().x(), 0), help->pos().y())));
    if (message.isEmpty()) {
        QToolTip::hideText();
        return false;
    }
    QToolTip::showText(help->globalPos(), message, call.Widget()->viewport());
    return true;
}
