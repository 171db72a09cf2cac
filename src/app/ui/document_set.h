// DocumentSet: the frame's tabs in strip order and the document operations on them.
#pragma once

#include "app/core/document_rules.h"
#include "app/ui/tab_view_item.h"
#include "platform/prompter.h"

#include <QObject>
#include <memory>
#include <vector>

class CFileTabCtrl;
class CNewWizardDlg;
class Configurator;
class QStackedWidget;

class DocumentSet : public QObject {
    Q_OBJECT
public:
    // tabs and area belong to the frame; views are created inside area.
    DocumentSet(Configurator& config, Prompter& prompter, CFileTabCtrl* tabs, QStackedWidget* area,
                CNewWizardDlg* startPage, QObject* parent);
    ~DocumentSet() override;

    int Count() const { return int(m_items.size()); }
    int ActiveIndex() const { return m_active; }
    CTabViewItem* Item(int index) const;
    CTabViewItem* ActiveItem() const { return Item(m_active); }
    // The document at index, or null for the start page or an index out of range.
    CEditerTabViewItem* DocumentAt(int index) const;
    CEditerTabViewItem* ActiveDocument() const;
    // The active document's editor view, or null when the start page is active.
    CScrivoView* ActiveView() const;
    int IndexOfView(const CScrivoView* view) const;

    void Activate(int index);
    void NewBlank();
    // A new untitled document holding the given script (the wizard's result).
    CEditerTabViewItem* NewWithText(const QString& script);
    bool OpenDocument(const QString& path, bool asTemplate);
    void OpenWithDialog(bool asTemplate);
    void Reload();
    bool Save(CEditerTabViewItem* document);
    bool SaveAs(CEditerTabViewItem* document);
    void SaveAll();
    // Yes, No or Cancel; Yes whenever nothing needs saving. A Yes whose save
    // does not happen (Save As cancelled, write failed) turns into Cancel, so
    // no caller throws the changes away.
    PromptAnswer PromptSaveChanges(CTabViewItem* item);
    // False when the user cancelled or the tab is the last start page.
    bool CloseTab(int index);
    void CloseAll();
    void CloseOthers();
    void ShowStartPage();
    // The strip moved a tab from oldIndex to newIndex.
    void MoveTab(int newIndex, int oldIndex);
    void OpenRecent(int index);
    void ClearRecent();
    void DropFiles(const QStringList& paths);
    void CopyToClipboard(int command);

    QString Caption() const;
    // Refreshes tab images and the caption after modified flags changed.
    void TrackModified();
    // The tabs as LastOpenFiles stores them.
    std::vector<OpenFileEntry> OpenFileEntries() const;

Q_SIGNALS:
    void CaptionChanged();
    void StatesChanged();
    void RecentFilesChanged();
    void ActiveChanged();
    void TabAdded();
    // The active document's text has rested after an edit.
    void TextSettled();
    void EditMenuRequested(const QPoint& globalPos);
    // "正在打开 name 42%" while the active tab's file loads, empty when done.
    void LoadProgressChanged(const QString& text);

private:
    CScrivoView* CreateView();
    // A background load ended: the tab shows its text, or goes with its failure.
    void OnLoadFinished(CScrivoView* view, bool loaded);
    void FollowAfterPaint(CScrivoView* view);
    void OnOpenFinished(CScrivoView* view, const QString& path, bool asTemplate, bool loaded);
    void RememberOpened(const QString& path, bool opened);
    QString NewTitle();
    void AddTab(std::unique_ptr<CTabViewItem> item, int image);
    void RemoveItem(int index);
    void RefreshTab(int index);
    int StartPageIndex() const;

    Configurator& m_config;
    Prompter& m_prompter;
    CFileTabCtrl* m_tabs;
    QStackedWidget* m_area;
    CNewWizardDlg* m_startPage;
    std::vector<std::unique_ptr<CTabViewItem>> m_items;
    int m_active = -1;
    int m_newCount = 1;
};
