// HeaderCompileHint: what the compile key on a header says: how headers are compiled, and which open script would do.
#include "app/ui/header_compile_hint.h"

#include "app/core/command_ids.h"
#include "app/core/command_registry.h"
#include "compiler/ui/compile_controller.h"
#include "app/ui/document_set.h"
#include "app/ui/frame_status_bar.h"
#include "compiler/core/source_index.h"
#include "editor/ui/scrivo_view.h"
#include "platform/app_name.h"
#include "platform/prompter.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

HeaderCompileHint::HeaderCompileHint(CompileController& compile, CommandRegistry& registry, DocumentSet& documents,
                                     Prompter& prompter, FrameStatusBar& status, QObject* parent)
    : QObject(parent), m_registry(registry), m_documents(documents), m_prompter(prompter), m_status(status) {
    connect(&compile, &CompileController::HeaderRefused, this, &HeaderCompileHint::OnHeaderRefused);
}

void HeaderCompileHint::OnHeaderRefused(const QString& header) {
    m_status.SetPartText(0, u"头文件 (.nsh) 不能单独编译，请编译包含它的 .nsi 脚本"_s);
    const int script = IncludingScript(header);
    if (script < 0)
        return;
    const QString scriptPath = m_documents.DocumentAt(script)->View()->Path();
    const QString question = u"“%1”是头文件，需通过包含它的脚本编译。\n要编译包含它的脚本“%2”吗？"_s.arg(
        QFileInfo(header).fileName(), QFileInfo(scriptPath).fileName());
    if (m_prompter.Ask(question, kAppName, PromptIcon::Question, PromptButtons::YesNo) != PromptAnswer::Yes)
        return;
    m_documents.Activate(script);
    m_registry.Dispatch(Cmd::Compile);
}

int HeaderCompileHint::IncludingScript(const QString& header) const {
    const QString target = QDir::cleanPath(QFileInfo(header).absoluteFilePath());
    for (int i = 0; i < m_documents.Count(); ++i) {
        const CEditerTabViewItem* document = m_documents.DocumentAt(i);
        const QString path = document && document->View() ? document->View()->Path() : QString();
        if (!path.endsWith(u".nsi"_s, Qt::CaseInsensitive))
            continue;
        // makensis compiles in the script's folder; the saved files are what it would read.
        if (CSourceIndex(path, QFileInfo(path).absolutePath(), QString()).Reads(target))
            return i;
    }
    return -1;
}
