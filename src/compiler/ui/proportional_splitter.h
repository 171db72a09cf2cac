// ProportionalSplitter: a two-pane splitter whose position is kept as a share of its size.
#pragma once

#include <QSplitter>

class ProportionalSplitter : public QSplitter {
    Q_OBJECT
public:
    static constexpr int kWhole = 10000;

    ProportionalSplitter(Qt::Orientation orientation, QWidget* parent);
    // Share of the first pane, in 1/10000 of the size.
    void SetShare(int share);
    int Share() const { return m_share; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void Apply();

    int m_share = kWhole / 2;
};
