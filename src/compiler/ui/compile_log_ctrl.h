// CCompileLogCtrl: the read-only pane below the documents that shows the compiler's output.
#pragma once

#include <QByteArray>
#include <QString>
#include <QWidget>

class CNsisTextView;
class Configurator;
class ScintillaCall;

class CCompileLogCtrl : public QWidget {
    Q_OBJECT
public:
    static constexpr int kBackColour = 0xC8C8C8;
    static constexpr int kCaretLineColour = 0xE1E1E1;
    static constexpr int kSelectionColour = 0x808040;

    CCompileLogCtrl(const Configurator& config, QWidget* parent);

    CNsisTextView* TextView() const { return m_text; }
    ScintillaCall& Call() const;
    QByteArray Text() const;

    void Append(const QByteArray& utf8);
    void Clear();
    void ScrollToEnd();
    // The text of a 0-based line, without its line end.
    QString LineText(int line) const;

private:
    CNsisTextView* m_text;
};
