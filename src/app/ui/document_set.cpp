// DocumentSet: the frame's tabs in strip order and the document operations on them.
#include "app/ui/document_set.h"

#include "app/core/command_ids.h"
#include "app/core/document_rules.h"
#include "app/ui/file_tab_ctrl.h"
#include "app/ui/start_page_view.h"
#include "config/core/configurator.h"
#include "editor/ui/scintilla_call.h"
#include "platform/app_name.h"
#include "platform/same_file.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStackedWidget>
#include <QTimer>

#include <memory>
#include <utility>

using namespace Qt::StringLiterals;

namespace {
constexpr int kFollowLaterMs = 500;
}  // namespace

DocumentSet::DocumentSet(Configurator& config, Prompter& prompter, CFileTabCtrl* tabs, QStackedWidget* area,
                         CNewWizardDlg* startPage, QObject* parent)
    : QObject(parent), m_config(config), m_prompter(prompter), m_tabs(tabs), m_area(area), m_startPage(startPage) {
    connect(m_tabs, &QTabBar::currentChanged, this, [this](int index) { Activate(index); });
    connect(m_tabs, &CFileTabCtrl::CloseRequested, this, [this](int index) { CloseTab(index); });
    connect(m_tabs, &CFileTabCtrl::Swapped, this, &DocumentSet::MoveTab);
}

DocumentSet::~DocumentSet() = default;

CTabViewItem* DocumentSet::Item(int index) const {
    return index >= 0 && index < Count() ? m_items[std::size_t(index)].get() : nullptr;
}

CEditerTabViewItem* DocumentSet::DocumentAt(int index) const {
    CTabViewItem* item = Item(index);
    return item && item->GetKind() == CTabViewItem::Kind::Document ? static_cast<CEditerTabViewItem*>(item) : nullptr;
}

CEditerTabViewItem* DocumentSet::ActiveDocument() const { return DocumentAt(m_active); }

CScrivoView* DocumentSet::ActiveView() const {
    CEditerTabViewItem* document = ActiveDocument();
    return document ? document->View() : nullptr;
}

int DocumentSet::IndexOfView(const CScrivoView* view) const {
    for (int i = 0; i < Count(); ++i) {
        if (m_items[std::size_t(i)]->GetWindow() == view)
            return i;
    }
    return -1;
}

int DocumentSet::StartPageIndex() const {
    for (int i = 0; i < Count(); ++i) {
        if (m_items[std::size_t(i)]->GetKind() == CTabViewItem::Kind::StartPage)
            return i;
    }
    return -1;
}

void DocumentSet::Activate(int index) {
    if (index == m_active || !Item(index))
        return;
    m_active = index;
    {
        const QSignalBlocker blocker(m_tabs);
        m_tabs->setCurrentIndex(index);
    }
    CTabViewItem* item = ActiveItem();
    m_area->setCurrentWidget(item->GetWindow());
    item->SetFocus();
    m_tabs->update();
    Q_EMIT ActiveChanged();
    Q_EMIT CaptionChanged();
    Q_EMIT StatesChanged();
}

CScrivoView* DocumentSet::CreateView() {
    auto* view = new CScrivoView(m_config, m_prompter, m_area);
    m_area->addWidget(view);
    connect(view, &CScrivoView::StateChanged, this, &DocumentSet::StatesChanged);
    connect(view, &CScrivoView::TextSettled, this, [this, view] {
        if (view == ActiveView())
            Q_EMIT TextSettled();
    });
    connect(view, &CScrivoView::EditMenuRequested, this, &DocumentSet::EditMenuRequested);
    connect(view, &CScrivoView::LoadProgress, this, [this, view](int percent) {
        if (view == ActiveView())
            Q_EMIT LoadProgressChanged(u"正在打开 %1 %2%"_s.arg(FileNamePart(view->LoadingPath())).arg(percent));
    });
    connect(view, &CScrivoView::LoadFinished, this, [this, view](bool loaded) { OnLoadFinished(view, loaded); });
    connect(view, &CScrivoView::CloseRequested, this, [this, view] {
        const int index = IndexOfView(view);
        if (index >= 0)
            CloseTab(index);
    });
    return view;
}

QString DocumentSet::NewTitle() { return u"New(%1) "_s.arg(m_newCount++); }

void DocumentSet::AddTab(std::unique_ptr<CTabViewItem> item, int image) {
    const QString title = item->GetTitle();
    m_items.push_back(std::move(item));
    {
        const QSignalBlocker blocker(m_tabs);
        m_tabs->AddTab(title, image);
    }
    Q_EMIT TabAdded();
    Activate(Count() - 1);
}

void DocumentSet::NewBlank() { AddTab(std::make_unique<CEditerTabViewItem>(NewTitle(), CreateView()), 0); }

CEditerTabViewItem* DocumentSet::NewWithText(const QString& script) {
    CScrivoView* view = CreateView();
    view->AppendText(script.toUtf8());
    AddTab(std::make_unique<CEditerTabViewItem>(NewTitle(), view), 0);
    return ActiveDocument();
}

bool DocumentSet::OpenDocument(const QString& path, bool asTemplate) {
    if (!asTemplate) {
        for (int i = 0; i < Count(); ++i) {
            const CEditerTabViewItem* document = DocumentAt(i);
            const CScrivoView* view = document ? document->View() : nullptr;
            const QString shown = !view ? QString() : view->IsLoading() ? view->LoadingPath() : view->Path();
            if (!shown.isEmpty() && IsSameFile(shown, path)) {
                Activate(i);
                return true;
            }
        }
    }
    const QString title = asTemplate ? NewTitle() : FileNamePart(path) + u' ';
    CScrivoView* view = CreateView();
    if (!view->LoadFile(path, asTemplate)) {
        m_area->removeWidget(view);
        view->deleteLater();
        RememberOpened(path, false);
        return false;
    }
    if (view->IsLoading()) {
        connect(
            view, &CScrivoView::LoadFinished, this,
            [this, view, path, asTemplate](bool loaded) { OnOpenFinished(view, path, asTemplate, loaded); },
            Qt::SingleShotConnection);
    } else if (!asTemplate) {
        RememberOpened(path, true);
    }
    AddTab(std::make_unique<CEditerTabViewItem>(title, view), 0);
    return true;
}

void DocumentSet::RememberOpened(const QString& path, bool opened) {
    if (opened)
        m_config.AddRecentFile(path);
    else
        m_config.RemoveRecentFile(path);
    Q_EMIT RecentFilesChanged();
}

void DocumentSet::OnOpenFinished(CScrivoView* view, const QString& path, bool asTemplate, bool loaded) {
    if (loaded && asTemplate)
        return;
    RememberOpened(path, loaded);
    // The failure was reported; no tab stays with half a file or none.
    if (const int index = IndexOfView(view); !loaded && index >= 0)
        CloseTab(index);
}

// The outline, the thumbnail and the checks follow the new document once its
// text is on screen, so their work does not hold the text back; a window that
// does not paint (minimised) has them follow a moment later.
void DocumentSet::FollowAfterPaint(CScrivoView* view) {
    auto followed = std::make_shared<bool>(false);
    auto follow = [this, view, followed] {
        if (std::exchange(*followed, true) || view != ActiveView())
            return;
        Q_EMIT ActiveChanged();
    };
    // Queued: the painted text reaches the screen when the paint returns.
    connect(
        &view->Call(), &ScintillaCall::Painted, this,
        [this, follow] { QMetaObject::invokeMethod(this, follow, Qt::QueuedConnection); }, Qt::SingleShotConnection);
    QTimer::singleShot(kFollowLaterMs, this, follow);
}

void DocumentSet::OnLoadFinished(CScrivoView* view, bool loaded) {
    if (view == ActiveView()) {
        Q_EMIT LoadProgressChanged(QString());
        if (loaded)
            FollowAfterPaint(view);
    }
    TrackModified();
    Q_EMIT CaptionChanged();
    Q_EMIT StatesChanged();
}

void DocumentSet::OpenWithDialog(bool asTemplate) {
    FileDialogRequest request;
    request.title = asTemplate ? u"打开NSIS模板"_s : u"打开NSIS脚本"_s;
    request.filter = u"NSIS文件 (*.nsi *.nsh);;All Files (*)"_s;
    const QStringList files = m_prompter.OpenFileNames(request, false);
    if (!files.isEmpty())
        OpenDocument(files.first(), asTemplate);
}

void DocumentSet::Reload() {
    CScrivoView* view = ActiveView();
    if (!view || !view->Document().HasPath())
        return;
    view->LoadFile(view->Path(), false);
    Q_EMIT StatesChanged();
}

bool DocumentSet::Save(CEditerTabViewItem* document) {
    if (!document || !document->View())
        return false;
    if (!document->View()->Document().HasPath())
        return SaveAs(document);
    const bool saved = document->View()->SaveFile();
    Q_EMIT StatesChanged();
    return saved;
}

bool DocumentSet::SaveAs(CEditerTabViewItem* document) {
    if (!document || !document->View())
        return false;
    CScrivoView* view = document->View();
    // Nothing to save before the text is there.
    if (view->IsLoading())
        return false;
    FileDialogRequest request;
    request.title = u"保存NSIS文件"_s;
    request.fileName = view->Document().HasPath() ? view->Path() : document->GetTitle().trimmed();
    request.filter = u"NSIS脚本文件 (*.nsi);;NSIS头文件 (*.nsh);;All Files (*)"_s;
    request.defaultSuffix = u"nsi"_s;
    const QString path = m_prompter.SaveFileName(request);
    if (path.isEmpty() || !view->SaveFile(path))
        return false;
    document->SetTitle(FileNamePart(path) + u' ');
    m_config.AddRecentFile(path);
    Q_EMIT RecentFilesChanged();
    RefreshTab(IndexOfView(view));
    Q_EMIT CaptionChanged();
    Q_EMIT StatesChanged();
    return true;
}

void DocumentSet::SaveAll() {
    for (int i = 0; i < Count(); ++i) {
        CEditerTabViewItem* document = DocumentAt(i);
        if (document && document->IsModified()) {
            Save(document);
            RefreshTab(i);
        }
    }
    Q_EMIT CaptionChanged();
    Q_EMIT StatesChanged();
}

PromptAnswer DocumentSet::PromptSaveChanges(CTabViewItem* item) {
    if (!item || item->GetKind() != CTabViewItem::Kind::Document)
        return PromptAnswer::Yes;
    auto* document = static_cast<CEditerTabViewItem*>(item);
    CScrivoView* view = document->View();
    if (!view || !view->IsModified())
        return PromptAnswer::Yes;
    const QString name = view->Document().HasPath() ? view->Path() : document->GetTitle();
    const PromptAnswer answer = m_prompter.Ask(u"是否保存对 \"%1\" 的更改？"_s.arg(name), kAppName,
                                               PromptIcon::Question, PromptButtons::YesNoCancel);
    if (answer == PromptAnswer::Yes && !Save(document))
        return PromptAnswer::Cancel;
    return answer;
}

void DocumentSet::RemoveItem(int index) {
    CTabViewItem* item = Item(index);
    if (item->GetKind() == CTabViewItem::Kind::Document)
        m_area->removeWidget(item->GetWindow());
    {
        const QSignalBlocker blocker(m_tabs);
        m_tabs->removeTab(index);
    }
    m_items.erase(m_items.begin() + index);
}

bool DocumentSet::CloseTab(int index) {
    CTabViewItem* item = Item(index);
    if (!item || PromptSaveChanges(item) == PromptAnswer::Cancel)
        return false;
    if (Count() == 1 && item->GetKind() == CTabViewItem::Kind::StartPage)
        return false;
    const bool wasActive = index == m_active;
    RemoveItem(index);
    const int next = ActiveIndexAfterClose(m_active, index, Count());
    if (Count() == 0) {
        m_active = -1;
        ShowStartPage();
    } else if (wasActive) {
        m_active = -2;
        Activate(next);
    } else {
        m_active = next;
        const QSignalBlocker blocker(m_tabs);
        m_tabs->setCurrentIndex(next);
    }
    Q_EMIT CaptionChanged();
    Q_EMIT StatesChanged();
    return true;
}

void DocumentSet::CloseAll() {
    for (int n = Count(); n > 0; --n)
        CloseTab(0);
}

void DocumentSet::CloseOthers() {
    if (Count() < 2)
        return;
    // The active tab stays, the start page included.
    const CTabViewItem* keep = ActiveItem();
    for (int i = 0; i < Count();) {
        CTabViewItem* item = m_items[std::size_t(i)].get();
        if (item == keep) {
            ++i;
            continue;
        }
        if (PromptSaveChanges(item) == PromptAnswer::Cancel)
            break;
        RemoveItem(i);
        if (m_active > i)
            --m_active;
    }
    {
        const QSignalBlocker blocker(m_tabs);
        m_tabs->setCurrentIndex(m_active);
    }
    Q_EMIT CaptionChanged();
    Q_EMIT StatesChanged();
}

void DocumentSet::ShowStartPage() {
    const int existing = StartPageIndex();
    if (existing >= 0) {
        Activate(existing);
        return;
    }
    if (m_area->indexOf(m_startPage) < 0)
        m_area->addWidget(m_startPage);
    m_startPage->RefreshRecent(m_config.RecentFiles());
    AddTab(std::make_unique<CStartPageTabViewItem>(m_startPage), 2);
}

void DocumentSet::MoveTab(int newIndex, int oldIndex) {
    if (!Item(newIndex) || !Item(oldIndex) || newIndex == oldIndex)
        return;
    auto moved = std::move(m_items[std::size_t(oldIndex)]);
    m_items.erase(m_items.begin() + oldIndex);
    m_items.insert(m_items.begin() + newIndex, std::move(moved));
    // The moved tab was the active one; only its place changed.
    if (m_active == oldIndex) {
        m_active = newIndex;
        const QSignalBlocker blocker(m_tabs);
        m_tabs->setCurrentIndex(newIndex);
    } else {
        m_active = -2;
        Activate(newIndex);
    }
    Q_EMIT StatesChanged();
}

void DocumentSet::OpenRecent(int index) {
    const QStringList recent = m_config.RecentFiles();
    if (index >= 0 && index < recent.size())
        OpenDocument(recent[index], false);
}

void DocumentSet::ClearRecent() {
    if (m_prompter.Ask(u"确定要清除最近打开文件列表吗？"_s, kAppName, PromptIcon::Question, PromptButtons::YesNo)
        != PromptAnswer::Yes)
        return;
    m_config.ClearRecentFiles();
    Q_EMIT RecentFilesChanged();
}

void DocumentSet::DropFiles(const QStringList& paths) {
    for (const QString& path : paths) {
        if (QFileInfo(path).isFile() && IsDroppableScript(path))
            OpenDocument(path, false);
    }
}

void DocumentSet::CopyToClipboard(int command) {
    const CScrivoView* view = ActiveView();
    if (!view)
        return;
    const QString path = view->Path();
    QString text = path;
    if (command == Cmd::CopyFileName)
        text = FileNamePart(path);
    else if (command == Cmd::CopyFolder)
        text = FolderPart(path);
    QGuiApplication::clipboard()->setText(text);
}

QString DocumentSet::Caption() const {
    const CTabViewItem* item = ActiveItem();
    if (!item)
        return kAppName;
    const CScrivoView* view = ActiveView();
    QString name = view ? view->Path() : QString();
    if (m_config.Base().CaptionShowFName && !name.isEmpty())
        name = FileNamePart(name);
    if (name.isEmpty())
        name = item->GetTitle();
    return CaptionText(name, kAppName, view && view->IsModified());
}

void DocumentSet::RefreshTab(int index) {
    CTabViewItem* item = Item(index);
    if (!item)
        return;
    int image = 2;
    if (CEditerTabViewItem* document = DocumentAt(index)) {
        document->shownModified = document->IsModified() ? 1 : 0;
        image = document->shownModified;
    }
    m_tabs->SetTab(index, item->GetTitle(), image);
}

void DocumentSet::TrackModified() {
    for (int i = 0; i < Count(); ++i) {
        const CEditerTabViewItem* document = DocumentAt(i);
        if (!document || (document->IsModified() ? 1 : 0) == document->shownModified)
            continue;
        RefreshTab(i);
        if (i == m_active)
            Q_EMIT CaptionChanged();
    }
}

std::vector<OpenFileEntry> DocumentSet::OpenFileEntries() const {
    std::vector<OpenFileEntry> entries;
    for (int i = 0; i < Count(); ++i) {
        const CTabViewItem* item = m_items[std::size_t(i)].get();
        OpenFileEntry entry;
        entry.active = i == m_active;
        entry.startPage = item->GetKind() == CTabViewItem::Kind::StartPage;
        if (!entry.startPage) {
            const CScrivoView* view = DocumentAt(i)->View();
            if (!view || !view->Document().HasPath())
                continue;
            entry.path = view->Path();
            if (view->Encoding() == TextEncoding::Ansi)
                entry.codePage = view->Document().Page();
        }
        entries.push_back(entry);
    }
    return entries;
}
