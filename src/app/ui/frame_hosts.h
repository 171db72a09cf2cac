// FrameHosts: the frame's documents and status bar behind the narrow hosts of the compile, wizard and statistics controllers.
#pragma once

#include "compiler/ui/compile_frame.h"
#include "online/ui/active_editor_host.h"
#include "wizard/ui/new_script_host.h"

class DocumentSet;
class FrameStatusBar;

class FrameHosts final : public ICompileFrame, public INewScriptHost, public IActiveEditorHost {
public:
    FrameHosts(DocumentSet& documents, FrameStatusBar& status) : m_documents(documents), m_status(status) {}

    CScrivoView* ActiveView() const override;
    std::vector<CScrivoView*> Views() const override;
    bool SaveActive() override;
    bool OpenFile(const QString& path) override;
    void ShowProgress(const QString& text) override;

    bool OpenNewScript(const QString& script, bool saveAs) override;

    ScintillaCall* ActiveEditor() const override;

private:
    DocumentSet& m_documents;
    FrameStatusBar& m_status;
};
