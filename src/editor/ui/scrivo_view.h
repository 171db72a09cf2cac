// CScrivoView: the editor view of one script document, the editing component configured for NSIS.
#pragma once

#include "editor/core/text_document.h"
#include "editor/ui/nsis_text_view.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class Configurator;
class Prompter;
class StreamedLoad;
struct WordsStyle;

// The view's delays; tests give shorter ones.
struct ViewTimings {
    int settleMs = 800;    // after an edit, before the outline hears of it
    int scrollMs = 100;    // ScrollToLine
    int activateMs = 200;  // the check for changes on disk after activation
    int retireMs = 1000;   // a closed view's window is destroyed
};

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
    long characters = 0;  // of the whole text
};

class CScrivoView : public QWidget {
    Q_OBJECT
public:
    CScrivoView(const Configurator& config, Prompter& prompter, QWidget* parent, ViewTimings timings = {});
    ~CScrivoView() override;

    // Whether the editing component can be created and coloured by our NSIS
    // lexer; without it the program cannot run.
    static bool NsisLexerAvailable();

    // The NSIS text it shows and its editing component.
    CNsisTextView* TextView() const { return m_text; }
    ScintillaCall& Call() const { return m_text->Call(); }

    // File state and its operations; the text moves between the file and the editor.
    const TextDocument& Document() const { return m_document; }
    QString Path() const { return m_document.Path(); }
    bool IsModified() const { return m_document.IsModified(); }
    TextEncoding Encoding() const { return m_document.Encoding(); }
    // A large file loads in the background: true then means it is loading,
    // LoadFinished tells how it ended, and until then the text is read-only
    // (a reload keeps showing the old text). Loading again replaces a load
    // still running.
    bool LoadFile(const QString& path, bool asNew);
    bool IsLoading() const { return m_load != nullptr; }
    // The file a background load reads; empty when none runs.
    QString LoadingPath() const { return m_load ? m_loadPath : QString(); }
    // Runs action now, or once a background load has shown its text; never
    // when that load fails or is replaced.
    void WhenLoaded(std::function<void()> action);
    bool SaveFile(const QString& newPath = {});
    void SetEncoding(TextEncoding encoding);
    // "转换为": the text saved as ANSI in page.
    void ConvertToCodePage(CodePage page);
    // "以其他编码重新打开": the file read again as ANSI in page (a large
    // file in the background; a failure keeps the text).
    void ReopenWithCodePage(CodePage page);
    QString EncodingText() const { return m_document.EncodingText(); }
    // "转换为 Windows/Unix 格式": every line end of the text made lineEnd, in
    // one undo step; later line breaks and pastes follow it.
    void ConvertLineEnds(LineEnd lineEnd);
    // Asks about a change on disk; a reload the user wants reads as ReopenWithCodePage does.
    void CheckExternalChange();
    // Appends UTF-8 text to the editor (the wizard's script).
    void AppendText(const QByteArray& utf8);
    QByteArray Text() const { return m_text->Text(); }
    // Grows with every change of the text, another document shown in its
    // place included: a reader taking the text in steps sees whether it stayed.
    quint64 TextChanges() const { return m_textChanges; }
    ViewState State() const;

    void ApplySettings() { m_text->ApplySettings(); }

    // Scrolls so that line stands five lines below the top, 100 ms later.
    void ScrollToLine(int line);
    // The tab became active: check the file 200 ms later and focus the editor.
    void Activate();
    // Hides the view now and destroys it a second later.
    void RetireLater();

Q_SIGNALS:
    // Modified flag, caret or selection changed: the frame refreshes its commands.
    void StateChanged();
    // The text stayed unchanged for 800 ms after an edit.
    void TextSettled();
    // The user chose to close the document whose file vanished.
    void CloseRequested();
    void EditMenuRequested(const QPoint& globalPos);
    // A background load that has run for a moment: how far it got.
    void LoadProgress(int percent);
    // A background load ended: its text shown, or failed and reported (the
    // view shows what it showed before).
    void LoadFinished(bool loaded);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Configure();
    // Enter and paste end lines as the document does.
    void ApplyLineEnd();
    void FillEditor(const QByteArray& utf8);
    // afterChange: a reload after a change on disk, whose failure leaves the kept text modified.
    void StartStreamedLoad(const QString& path, bool asNew, qint64 size, std::optional<CodePage> codePage = {},
                           bool afterChange = false);
    // The document's own file read again (in page, when given) after the
    // user agreed; a large file in the background, as LoadFile does.
    void ReadAgain(std::optional<CodePage> page, bool afterChange);
    void OnLoadReport(int number, int percent, bool done);
    void FinishStreamedLoad();
    // Shows a loaded document in place of the current one, set up as Configure set up the first.
    void AttachDocument(void* document);
    // Stops a background load; what it would have done afterwards is dropped.
    void CancelLoad();
    // The text read again, the caret kept at its byte offset where the text still reaches.
    void ShowReloaded(const QByteArray& utf8);
    void AfterEncodingChange(EncodingChange change);
    void OnModified(int modificationType, long position, long length);
    void CountInsertion() const;
    void OnMarginClick(long position);
    void OnSavePoint(bool reached);
    void DoScroll();

    TextDocument m_document;
    CNsisTextView* m_text;
    int m_retireMs;
    // A template stays modified until first saved, even when edits are undone.
    bool m_keepModified = false;
    int m_scrollTarget = 0;
    QTimer m_textTimer;      // outline wake-up after edits
    QTimer m_scrollTimer;    // delayed ScrollToLine
    QTimer m_activateTimer;  // external change check
    bool m_scrollPending = false;  // a scroll asked for while loading
    // Characters in the text, for the status bar, and an insertion not yet counted.
    mutable qint64 m_characters = 0;
    struct Insertion {
        long position = 0;
        long length = 0;
    };
    mutable Insertion m_insertion;
    quint64 m_textChanges = 0;

    std::unique_ptr<StreamedLoad> m_load;
    int m_loadNumber = 0;  // tells reports of a replaced load from the current one's
    QString m_loadPath;
    bool m_loadAsNew = false;
    bool m_loadAfterChange = false;
    QElapsedTimer m_loadClock;
    std::vector<std::function<void()>> m_whenLoaded;
};
