// FrameStatusBar: the frame's status bar with its seven parts, or one simple text while the start page is active.
#include "app/ui/frame_status_bar.h"

#include "app/core/command_states.h"

#include <QLabel>

#include <algorithm>

FrameStatusBar::FrameStatusBar(QWidget* parent) : QStatusBar(parent), m_simple(new QLabel(this)) {
    setSizeGripEnabled(true);
    m_parts[0] = new QLabel(IdleStatusText(), this);
    addWidget(m_parts[0], 1);
    addWidget(m_simple, 1);
    m_simple->hide();
    for (int part = 1; part < kParts; ++part) {
        auto* label = new QLabel(this);
        label->setFixedWidth(kPartWidths[std::size_t(part - 1)]);
        label->setFrameShape(QFrame::StyledPanel);
        addPermanentWidget(label);
        m_parts[std::size_t(part)] = label;
    }
}

void FrameStatusBar::SetMultiPart(bool multi) {
    if (multi == m_multi)
        return;
    m_multi = multi;
    for (QLabel* part : m_parts)
        part->setVisible(multi);
    m_simple->setVisible(!multi);
}

void FrameStatusBar::SetPartText(int part, const QString& text) {
    if (part < 0 || part >= kParts || m_parts[std::size_t(part)]->text() == text)
        return;
    QLabel* label = m_parts[std::size_t(part)];
    label->setText(text);
    // A part grows rather than clip a longer text, such as "ANSI (Windows-1252)".
    if (part > 0) {
        const int needed = label->fontMetrics().horizontalAdvance(text) + 2 * label->frameWidth() + 8;
        label->setFixedWidth(std::max(kPartWidths[std::size_t(part - 1)], needed));
    }
}

QString FrameStatusBar::PartText(int part) const {
    return part >= 0 && part < kParts ? m_parts[std::size_t(part)]->text() : QString();
}

void FrameStatusBar::SetSimpleText(const QString& text) { m_simple->setText(text); }

QString FrameStatusBar::SimpleText() const { return m_simple->text(); }
