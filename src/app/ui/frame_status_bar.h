// FrameStatusBar: the frame's status bar with its seven parts, or one simple text while the start page is active.
#pragma once

#include <QStatusBar>
#include <array>

class QLabel;

class FrameStatusBar : public QStatusBar {
    Q_OBJECT
public:
    static constexpr int kParts = 7;
    // Widths of parts 1..6 (sign-in, caret, counts, encoding, line end,
    // overtype); part 0 takes the rest.
    static constexpr std::array<int, kParts - 1> kPartWidths = {80, 200, 150, 130, 50, 35};

    explicit FrameStatusBar(QWidget* parent);

    void SetMultiPart(bool multi);
    bool IsMultiPart() const { return m_multi; }
    void SetPartText(int part, const QString& text);
    QString PartText(int part) const;
    void SetSimpleText(const QString& text);
    QString SimpleText() const;

private:
    std::array<QLabel*, kParts> m_parts{};
    QLabel* m_simple;
    bool m_multi = true;
};
