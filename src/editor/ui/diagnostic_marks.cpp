// CDiagnosticMarks: a compile's errors and warnings marked in an editor view: margin markers, a squiggle, hover text.
#include "editor/ui/diagnostic_marks.h"

#include "editor/ui/qsci_base.h"
#include "editor/ui/scrivo_view.h"

#include <QHelpEvent>
#include <QToolTip>

namespace {
using Sci = QsciScintillaBase;
constexpr int kMarkMargin = 1;
constexpr int kMarkMarginWidth = 16;
constexpr long kRed = 0x0000E0;  // the component's order: red in the low byte
constexpr long kAmber = 0x00A5FF;
constexpr long kWhite = 0xFFFFFF;
}  // namespace

CDiagnosticMarks& CDiagnosticMarks::Of(CScrivoView& view) {
    if (auto* marks = view.findChild<CDiagnosticMarks*>(QString(), Qt::FindDirectChildrenOnly))
        return *marks;
    return *new CDiagnosticMarks(view);
}

CDiagnosticMarks::CDiagnosticMarks(CScrivoView& view) : QObject(&view), m_view(view) {
    m_view.Send(Sci::SCI_MARKERDEFINE, kErrorMarker, Sci::SC_MARK_CIRCLE);
    m_view.Send(Sci::SCI_MARKERSETFORE, kErrorMarker, kWhite);
    m_view.Send(Sci::SCI_MARKERSETBACK, kErrorMarker, kRed);
    m_view.Send(Sci::SCI_MARKERDEFINE, kWarningMarker, Sci::SC_MARK_SHORTARROW);
    m_view.Send(Sci::SCI_MARKERSETFORE, kWarningMarker, 0);
    m_view.Send(Sci::SCI_MARKERSETBACK, kWarningMarker, kAmber);
    m_view.Send(Sci::SCI_INDICSETSTYLE, kErrorIndicator, Sci::INDIC_SQUIGGLE);
    m_view.Send(Sci::SCI_INDICSETFORE, kErrorIndicator, kRed);
    m_view.Editor()->viewport()->installEventFilter(this);
}

void CDiagnosticMarks::ShowMargin(bool shown) {
    m_view.Send(Sci::SCI_SETMARGINMASKN, kMarkMargin, shown ? (1L << kErrorMarker) | (1L << kWarningMarker) : 0);
    m_view.Send(Sci::SCI_SETMARGINWIDTHN, kMarkMargin, shown ? kMarkMarginWidth : 0);
}

void CDiagnosticMarks::Add(int line, bool error, const QString& message) {
    if (line < 0 || line >= m_view.Send(Sci::SCI_GETLINECOUNT))
        return;
    if (m_marks.isEmpty())
        ShowMargin(true);
    const int handle = int(m_view.Send(Sci::SCI_MARKERADD, line, error ? kErrorMarker : kWarningMarker));
    m_marks.append({handle, error, message});
    if (!error)
        return;
    // From the first character that is not a blank to the end of the line.
    const long start = m_view.Send(Sci::SCI_GETLINEINDENTPOSITION, line);
    const long end = m_view.Send(Sci::SCI_GETLINEENDPOSITION, line);
    m_view.Send(Sci::SCI_SETINDICATORCURRENT, kErrorIndicator);
    m_view.Send(Sci::SCI_INDICATORFILLRANGE, start, std::max(end - start, 1L));
}

void CDiagnosticMarks::Clear() {
    if (m_marks.isEmpty())
        return;
    m_view.Send(Sci::SCI_MARKERDELETEALL, kErrorMarker);
    m_view.Send(Sci::SCI_MARKERDELETEALL, kWarningMarker);
    m_view.Send(Sci::SCI_SETINDICATORCURRENT, kErrorIndicator);
    m_view.Send(Sci::SCI_INDICATORCLEARRANGE, 0, m_view.Send(Sci::SCI_GETLENGTH));
    m_marks.clear();
    ShowMargin(false);
}

QList<int> CDiagnosticMarks::Lines(bool error) const {
    QList<int> lines;
    for (const Mark& mark : m_marks) {
        const int line = int(m_view.Send(Sci::SCI_MARKERLINEFROMHANDLE, mark.handle));
        if (mark.error == error && line >= 0)
            lines.append(line);
    }
    return lines;
}

bool CDiagnosticMarks::HasSquiggle(int line) const {
    const long start = m_view.Send(Sci::SCI_GETLINEINDENTPOSITION, line);
    return m_view.Send(Sci::SCI_INDICATORVALUEAT, kErrorIndicator, start) != 0;
}

QString CDiagnosticMarks::MessageAt(int line) const {
    QStringList messages;
    for (const Mark& mark : m_marks) {
        if (m_view.Send(Sci::SCI_MARKERLINEFROMHANDLE, mark.handle) == line)
            messages.append(mark.message);
    }
    return messages.join(u'\n');
}

bool CDiagnosticMarks::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ToolTip || m_marks.isEmpty())
        return QObject::eventFilter(watched, event);
    auto* help = static_cast<QHelpEvent*>(event);
    // The point's line, also over the margin, where x is left of the text.
    const long position = m_view.Send(Sci::SCI_POSITIONFROMPOINT, std::max(help->pos().x(), 0), help->pos().y());
    const QString message = MessageAt(int(m_view.Send(Sci::SCI_LINEFROMPOSITION, position)));
    if (message.isEmpty()) {
        QToolTip::hideText();
        return false;
    }
    QToolTip::showText(help->globalPos(), message, m_view.Editor()->viewport());
    return true;
}
