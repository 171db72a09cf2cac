// CDiagnosticMarks: a compile's errors and warnings marked in an editor view: margin markers, a squiggle, hover text.
#pragma once

#include <QList>
#include <QObject>
#include <QString>

class CScrivoView;

// Lives as the view's child. Scintilla moves markers and indicators with the
// text, so a mark stays on its line while the user edits above it.
class CDiagnosticMarks : public QObject {
    Q_OBJECT
public:
    static constexpr int kErrorMarker = 20;  // below the folding markers (25..31)
    static constexpr int kWarningMarker = 21;
    static constexpr int kErrorIndicator = 9;

    // The view's marks, made on first use.
    static CDiagnosticMarks& Of(CScrivoView& view);

    // line is 0-based; an error also gets a squiggle under the line's text.
    void Add(int line, bool error, const QString& message);
    void Clear();
    bool IsEmpty() const { return m_marks.isEmpty(); }
    // Where the marks stand now, after edits.
    QList<int> Lines(bool error) const;
    bool HasSquiggle(int line) const;
    // The messages of the marks on line, one per row; empty when none.
    QString MessageAt(int line) const;
    // Which compile the marks came from, so that they are added only once.
    int Generation() const { return m_generation; }
    void SetGeneration(int generation) { m_generation = generation; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit CDiagnosticMarks(CScrivoView& view);
    void ShowMargin(bool shown);

    struct Mark {
        int handle;
        bool error;
        QString message;
    };
    CScrivoView& m_view;
    QList<Mark> m_marks;
    int m_generation = -1;
};
