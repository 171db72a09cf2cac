// CColourSwatch: a clickable field that shows one colour with a sunken frame of its own drawing.
#pragma once

#include <QWidget>

class CColourSwatch : public QWidget {
    Q_OBJECT
public:
    explicit CColourSwatch(QWidget* parent);

    // 0x00BBGGRR; a negative colour shows white, as "no colour" does.
    void SetColour(int colour);
    int Colour() const { return m_colour; }

    QSize sizeHint() const override;

Q_SIGNALS:
    void Clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int m_colour = -1;
};

// A 0x00BBGGRR value as Qt's colour; negative gives white.
QColor SwatchColour(int colour);
