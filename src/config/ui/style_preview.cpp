// CStylePreview: a sample line "NSIS:<name>" in a style's colours, font and size.
#include "config/ui/style_preview.h"

#include "config/core/lexer_type.h"
#include "config/core/settings_rules.h"
#include "config/ui/colour_swatch.h"

#include <QPainter>

CStylePreview::CStylePreview(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void CStylePreview::SetStyle(const WordsStyle* style) {
    m_style = style;
    update();
}

QFont CStylePreview::SampleFont() const {
    QFont sample = font();
    if (!m_style)
        return sample;
    if (m_style->fontName && !m_style->fontName->isEmpty())
        sample.setFamily(*m_style->fontName);
    if (m_style->fontSize > 0)
        sample.setPointSize(m_style->fontSize);
    return sample;
}

QSize CStylePreview::sizeHint() const {
    // Room for the largest size the size box offers.
    QFont largest = font();
    largest.setPointSize(28);
    return {240, QFontMetrics(largest).height() + 16};
}

void CStylePreview::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), m_style ? SwatchColour(m_style->backColour) : QColor(Qt::white));
    if (!m_style)
        return;
    // A style without a fore colour draws in the component's default black.
    p.setPen(m_style->foreColour < 0 ? QColor(Qt::black) : SwatchColour(m_style->foreColour));
    p.setFont(SampleFont());
    p.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, PreviewText(m_style->name.value_or(QString())));
}
