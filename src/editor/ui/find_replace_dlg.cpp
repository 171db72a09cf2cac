// CFindReplaceDlg: the one modeless find and replace dialog, and the search commands it runs on the active editor.
#include "editor/ui/find_replace_dlg.h"

#include "config/core/configurator.h"
#include "editor/core/find_replace_logic.h"
#include "editor/ui/editor_search.h"
#include "editor/ui/scintilla_call.h"
#include "platform/prompter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

QComboBox* MakeHistoryBox(const QString& name, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->setEditable(true);
    box->setMaxCount(kHistorySize);
    // The history decides the order; typing a text must not add it on its own.
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMinimumWidth(260);
    return box;
}

template <typename T>
T* Named(T* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

}  // namespace

CFindReplaceDlg::CFindReplaceDlg(Configurator& config, Prompter& prompter, EditorSource activeEditor, QWidget* owner)
    : QDialog(owner), m_config(config), m_prompter(prompter), m_activeEditor(std::move(activeEditor)) {
    setModal(false);
    BuildControls();
    FillHistory(m_findText, m_config.ReadHistory(kFindHistory));
    FillHistory(m_replaceText, m_config.ReadHistory(kReplaceHistory));
    Show(Mode::Find);
    hide();
}

void CFindReplaceDlg::BuildControls() {
    m_tabs = Named(new QTabBar(this), u"tabs"_s);
    m_tabs->addTab(u"查找"_s);
    m_tabs->addTab(u"替换"_s);
    m_tabs->setDrawBase(true);

    m_findText = MakeHistoryBox(u"findText"_s, this);
    m_replaceText = MakeHistoryBox(u"replaceText"_s, this);
    auto* findLabel = new QLabel(u"查找目标："_s, this);
    findLabel->setBuddy(m_findText);
    m_replaceLabel = new QLabel(u"替换为："_s, this);
    m_replaceLabel->setBuddy(m_replaceText);

    m_wholeWord = Named(new QCheckBox(u"全词匹配(&W)"_s, this), u"wholeWord"_s);
    m_matchCase = Named(new QCheckBox(u"匹配大小写(&C)"_s, this), u"matchCase"_s);
    m_inSelection = Named(new QCheckBox(u"限选择区文本(&S)"_s, this), u"inSelection"_s);
    m_wrap = Named(new QCheckBox(u"循环查找(&D)"_s, this), u"wrap"_s);
    m_wrap->setChecked(true);

    auto* direction = new QGroupBox(u"方向"_s, this);
    m_up = Named(new QRadioButton(u"向上(&U)"_s, direction), u"up"_s);
    m_down = Named(new QRadioButton(u"向下(&D)"_s, direction), u"down"_s);
    m_down->setChecked(true);
    auto* directionLayout = new QVBoxLayout(direction);
    directionLayout->addWidget(m_up);
    directionLayout->addWidget(m_down);

    m_findNext = Named(new QPushButton(u"查找下一个"_s, this), u"findNext"_s);
    m_findNext->setDefault(true);
    m_count = Named(new QPushButton(u"计数"_s, this), u"count"_s);
    m_replace = Named(new QPushButton(u"替换"_s, this), u"replace"_s);
    m_replaceAll = Named(new QPushButton(u"替换所有"_s, this), u"replaceAll"_s);
    m_cancel = Named(new QPushButton(u"取消"_s, this), u"cancel"_s);
    for (QPushButton* button : {m_count, m_replace, m_replaceAll, m_cancel})
        button->setAutoDefault(false);

    auto* fields = new QGridLayout;
    fields->addWidget(findLabel, 0, 0);
    fields->addWidget(m_findText, 0, 1);
    fields->addWidget(m_replaceLabel, 1, 0);
    fields->addWidget(m_replaceText, 1, 1);
    auto* checks = new QVBoxLayout;
    for (QCheckBox* check : {m_wholeWord, m_matchCase, m_inSelection, m_wrap})
        checks->addWidget(check);
    auto* options = new QHBoxLayout;
    options->addLayout(checks);
    options->addWidget(direction);
    auto* left = new QVBoxLayout;
    left->addLayout(fields);
    left->addLayout(options);
    left->addStretch();
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {m_findNext, m_count, m_replace, m_replaceAll, m_cancel})
        buttons->addWidget(button);
    buttons->addStretch();
    auto* body = new QHBoxLayout;
    body->addLayout(left, 1);
    body->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addLayout(body);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_tabs, &QTabBar::currentChanged, this, [this](int index) {
        if (index >= 0)
            Show(Mode(index));
    });
    connect(m_findNext, &QPushButton::clicked, this, [this] { FindNext(SearchDown()); });
    connect(m_count, &QPushButton::clicked, this, &CFindReplaceDlg::Count);
    connect(m_replace, &QPushButton::clicked, this, [this] { Replace(SearchDown()); });
    connect(m_replaceAll, &QPushButton::clicked, this, [this] { ReplaceAll(m_inSelection->isChecked()); });
    // Cancel, Escape and the close box only hide the dialog.
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CFindReplaceDlg::FillHistory(QComboBox* box, const QStringList& texts) {
    const QString typed = box->currentText();
    box->clear();
    box->addItems(texts.mid(0, kHistorySize));
    box->setCurrentIndex(box->count() > 0 ? 0 : -1);
    if (!typed.isEmpty())
        box->setEditText(typed);
}

void CFindReplaceDlg::Remember(QComboBox* box, int historyId, const QString& text) {
    QStringList history;
    for (int i = 0; i < box->count(); ++i)
        history << box->itemText(i);
    if (!AddToHistory(history, text))
        return;
    FillHistory(box, history);
    box->setCurrentIndex(0);
    if (m_config.WriteHistory(historyId, history))
        m_config.SaveBaseConfig();
}

void CFindReplaceDlg::Show(Mode mode) {
    m_tabs->setCurrentIndex(int(mode));
    ScintillaCall* editor = m_activeEditor();
    const QByteArray selected = editor ? SelectedText(*editor) : QByteArray();
    if (!selected.isEmpty())
        m_findText->setEditText(FindTextFromSelection(QString::fromUtf8(selected)));
    const bool replace = mode == Mode::Replace;
    setWindowTitle(replace ? u"替换"_s : u"查找"_s);
    m_inSelection->setEnabled(replace && !selected.isEmpty());
    m_replaceText->setVisible(replace);
    m_replaceLabel->setVisible(replace);
    m_replace->setVisible(replace);
    m_replaceAll->setVisible(replace);
    m_count->setVisible(!replace);
    if (isHidden())
        show();
    raise();
    activateWindow();
    m_findText->setFocus();
    m_findText->lineEdit()->selectAll();
}

CFindReplaceDlg::Mode CFindReplaceDlg::CurrentMode() const { return Mode(m_tabs->currentIndex()); }

int CFindReplaceDlg::SearchFlags() const {
    return (m_wholeWord->isChecked() ? ScintillaCall::kFindWholeWord : 0)
        | (m_matchCase->isChecked() ? ScintillaCall::kFindMatchCase : 0);
}

bool CFindReplaceDlg::SearchDown() const { return m_down->isChecked(); }

CFindReplaceDlg::SearchTexts CFindReplaceDlg::TakeTexts(bool withReplacement) {
    ScintillaCall* editor = m_activeEditor();
    const QString find = m_findText->currentText();
    if (!editor || find.isEmpty())
        return {};
    Remember(m_findText, kFindHistory, find);
    SearchTexts texts{editor, find.toUtf8(), {}};
    if (withReplacement) {
        const QString replacement = m_replaceText->currentText();
        Remember(m_replaceText, kReplaceHistory, replacement);
        texts.replacement = replacement.toUtf8();
    }
    return texts;
}

void CFindReplaceDlg::FindNext(bool down) {
    const SearchTexts texts = TakeTexts(false);
    if (!texts.editor)
        return;
    const auto match = FindText(EditorFinder(*texts.editor, texts.find, SearchFlags()), EditorCaretState(*texts.editor),
                                down, m_wrap->isChecked());
    if (match)
        SelectAndReveal(*texts.editor, *match);
    else
        Q_EMIT Reported(u"未找到 “%1”"_s.arg(QString::fromUtf8(texts.find)));
}

void CFindReplaceDlg::Count() {
    const SearchTexts texts = TakeTexts(false);
    if (!texts.editor)
        return;
    const int count = CountMatches(EditorFinder(*texts.editor, texts.find, SearchFlags()),
                                   texts.editor->Length());
    m_prompter.Ask(QString::asprintf("查找到 %d 个。", count), u"查找"_s, PromptIcon::None, PromptButtons::Ok);
}

void CFindReplaceDlg::Replace(bool down) {
    const SearchTexts texts = TakeTexts(true);
    ScintillaCall* editor = texts.editor;
    if (!editor)
        return;
    const MatchFinder find = EditorFinder(*editor, texts.find, SearchFlags());
    const CaretState state = EditorCaretState(*editor);
    if (!state.Empty()) {
        const auto match = down ? find(state.selStart, state.selEnd) : find(state.selEnd, state.selStart);
        if (match) {
            editor->SetSel(match->start, match->end);
            editor->ReplaceSel(texts.replacement);
            // Upwards the caret goes to the start so the next search runs from there.
            if (!down)
                editor->SetSel(match->start + texts.replacement.size(), match->start);
        }
    }
    if (const auto next = FindText(find, EditorCaretState(*editor), down, m_wrap->isChecked()))
        SelectAndReveal(*editor, *next);
    else
        Q_EMIT Reported(u"未找到 “%1”"_s.arg(QString::fromUtf8(texts.find)));
}

void CFindReplaceDlg::ReplaceAll(bool inSelection) {
    const SearchTexts texts = TakeTexts(true);
    ScintillaCall* editor = texts.editor;
    if (!editor)
        return;
    const CaretState state = EditorCaretState(*editor);
    const long start = inSelection ? state.selStart : 0;
    const long end = inSelection ? state.selEnd : state.length;
    const ReplaceAllResult result =
        ReplaceAllInEditor(*editor, texts.find, SearchFlags(), texts.replacement, start, end);
    // Where replacing the selection one match at a time would have left the caret.
    if (result.count > 0)
        editor->GotoPos(result.lastEnd);
    Q_EMIT Reported(result.count > 0 ? u"已替换 %1 处"_s.arg(result.count)
                                     : u"未找到 “%1”"_s.arg(QString::fromUtf8(texts.find)));
}
