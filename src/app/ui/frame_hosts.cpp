// FrameHosts: the frame's documents and status bar behind the narrow hosts of the compile, wizard and statistics controllers.
#include "app/ui/frame_hosts.h"

#include "app/ui/document_set.h"
#include "app/ui/frame_status_bar.h"
#include "editor/ui/scrivo_view.h"

CScrivoView* FrameHosts::ActiveView() const { return m_documents.ActiveView(); }

std::vector<CScrivoView*> FrameHosts::Views() const {
    std::vector<CScrivoView*> views;
    for (int i = 0; i < m_documents.Count(); ++i) {
        if (const CEditerTabViewItem* document = m_documents.DocumentAt(i))
            views.push_back(document->View());
    }
    return views;
}

bool FrameHosts::SaveActive() {
    CEditerTabViewItem* document = m_documents.ActiveDocument();
    return document && m_documents.Save(document);
}

bool FrameHosts::OpenFile(const QString& path) { return m_documents.OpenDocument(path, false); }

void FrameHosts::ShowProgress(const QString& text) { m_status.SetPartText(0, text); }

bool FrameHosts::OpenNewScript(const QString& script, bool saveAs) {
    CEditerTabViewItem* document = m_documents.NewWithText(script);
    return saveAs && m_documents.SaveAs(document);
}

ScintillaCall* FrameHosts::ActiveEditor() const {
    const CScrivoView* view = m_documents.ActiveView();
    return view ? &view->Call() : nullptr;
}
