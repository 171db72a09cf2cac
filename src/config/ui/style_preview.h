// CStylePreview: a sample line "NSIS:<name>" in a style's colours, font and size.
#pragma once

#include <QWidget>

struct WordsStyle;

class CStylePreview : public QWidget {
    Q_OBJECT
public:
    explicit CStylePreview(QWidget* parent);

    // Null shows an empty white field. The style must outlive the next paint or the next call.
    void SetStyle(const WordsStyle* style);
    // The font the sample is drawn in.
    QFont SampleFont() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const WordsStyle* m_style = nullptr;
};
