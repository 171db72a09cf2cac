// CScrivoView: the editor view of one script document, the editing component configured for NSIS.
#pragma once

#include "editor/core/text_document.h"

#include <QTimer>
#include <QWidget>
#include <array>

class Configurator;
class NsisStyler;
class Prompter;
class QsciScintillaBase;
struct WordsStyle;

// What the frame shows of a view: its commands' states and the status bar.
struct ViewState {
    bool modified = false;
    bool canUndo = false;
    bool canRedo = false;
    bool canPaste = false;
    bool overtype = false;
    long line = 0;    // of the caret, 0-based
    long column = 0;  // of the caret, 0-based
    long selectionLength = 0;
    long lineCount = 0;
    long length = 0;
};

class CScrivoView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kKeywordSets = 7;

    CScrivoView(const Configurator& config, Prompter& prompter, QWidget* parent);
    ~CScrivoView() override;

    // Whether the editing component can be created and coloured by our NSIS
    // lexer; without it the program cannot run.
    static bool NsisLexerAvailable();

    // The editing component and its message interface.
    QsciScintillaBase* Editor() const { return m_editor; }
    long Send(unsigned int message, unsigned long wParam = 0, long lParam = 0) const;

    // File state and its operations; the text moves between the file and the editor.
    const TextDocument& Document() const { return m_document; }
    QString Path() const { return m_document.Path(); }
    bool IsModified() const { return m_document.IsModified(); }
    TextEncoding Encoding() const { return m_document.Encoding(); }
    bool LoadFile(const QString& path, bool asNew);
    bool SaveFile(const QString& newPath = {});
    void SetEncoding(TextEncoding encoding);
    void CheckExternalChange();
    // Appends UTF-8 text to the editor (the wizard's script).
    void AppendText(const QByteArray& utf8);
    QByteArray Text() const;
    ViewState State() const;

    void ApplySettings();
    // Styles from the style file, and the keyword sets in keywordMask for our NSIS lexer.
    void SetLexer(int languageId, int keywordMask);
    void SetKeywords(int languageId, const QString& words, int setIndex);
    void ApplyLanguageStyles(int languageId, std::array<QString, kKeywordSets>& lists);
    // The compile log overrides it to keep its own background.
    virtual void SetStyle(const WordsStyle& style);
    void ApplyStyle(const WordsStyle& style);

    // Scrolls so that line stands five lines below the top, 100 ms later.
    void ScrollToLine(int line);
    // The tab became active: check the file 200 ms later and focus the editor.
    void Activate();
    // Hides the view now and destroys it a second later.
    void RetireLater();

    // Width the line-number margin should have now.
    int LineNumberWidth() const;

Q_SIGNALS:
    // Modified flag, caret or selection changed: the frame refreshes its commands.
    void StateChanged();
    // The text stayed unchanged for 800 ms after an edit.
    void TextSettled();
    // The user chose to close the document whose file vanished.
    void CloseRequested();
    void EditMenuRequested(const QPoint& globalPos);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // For the views that show no margins (the log, the thumbnail): every margin
    // goes, and the line-number margin no longer follows paints and zooms.
    void RemoveMargins();

private:
    void Configure();
    void FillEditor(const QByteArray& utf8);
    void UpdateLineNumberWidth();
    void OnModified(int modificationType);
    void OnMarginClick(int position);
    void OnSavePoint(bool reached);
    void DoScroll();

    const Configurator& m_config;
    TextDocument m_document;
    QsciScintillaBase* m_editor;
    NsisStyler* m_styler;
    bool m_lineNumbers = true;
    // A template stays modified until first saved, even when edits are undone.
    bool m_keepModified = false;
    int m_scrollTarget = 0;
    QTimer m_textTimer;      // outline wake-up after edits
    QTimer m_scrollTimer;    // delayed ScrollToLine
    QTimer m_activateTimer;  // external change check
};
