// CFindReplaceDlg: the one modeless find and replace dialog, and the search commands it runs on the active editor.
#pragma once

#include <QDialog>
#include <functional>

class Configurator;
class Prompter;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTabBar;
class ScintillaCall;

class CFindReplaceDlg : public QDialog {
    Q_OBJECT
public:
    enum class Mode { Find = 0, Replace = 1 };
    // The editor the commands act on; null while no script document is active.
    using EditorSource = std::function<ScintillaCall*()>;

    // Created once, hidden, with the frame (owner); the histories come from config.
    CFindReplaceDlg(Configurator& config, Prompter& prompter, EditorSource activeEditor, QWidget* owner);

    void Show(Mode mode);
    Mode CurrentMode() const;
    // Also for F3 and Shift+F3 while the dialog is hidden.
    void FindNext(bool down);
    void Count();
    void Replace(bool down);
    void ReplaceAll(bool inSelection);

Q_SIGNALS:
    // A line for the status bar: what a search found or replaced.
    void Reported(const QString& text);

private:
    void BuildControls();
    void FillHistory(QComboBox* box, const QStringList& texts);
    // Puts a used text at the top of its history and stores the history when it changed.
    void Remember(QComboBox* box, int historyId, const QString& text);
    // The editor and the texts a command uses, the texts put into their
    // histories; no editor when there is nothing to search for or in.
    struct SearchTexts {
        ScintillaCall* editor = nullptr;
        QByteArray find;
        QByteArray replacement;
    };
    SearchTexts TakeTexts(bool withReplacement);
    int SearchFlags() const;
    bool SearchDown() const;

    Configurator& m_config;
    Prompter& m_prompter;
    EditorSource m_activeEditor;
    QTabBar* m_tabs = nullptr;
    QComboBox* m_findText = nullptr;
    QComboBox* m_replaceText = nullptr;
    QLabel* m_replaceLabel = nullptr;
    QCheckBox* m_wholeWord = nullptr;
    QCheckBox* m_matchCase = nullptr;
    QCheckBox* m_inSelection = nullptr;
    QCheckBox* m_wrap = nullptr;
    QRadioButton* m_up = nullptr;
    QRadioButton* m_down = nullptr;
    QPushButton* m_findNext = nullptr;
    QPushButton* m_count = nullptr;
    QPushButton* m_replace = nullptr;
    QPushButton* m_replaceAll = nullptr;
    QPushButton* m_cancel = nullptr;
};
