// RequestCompile: the compile command's steps before the worker starts.
#include "compiler/core/compile_request.h"

#include "compiler/core/compile_log_logic.h"
#include "platform/prompter.h"

#include <QFileInfo>

QString MissingCompilerText() {
    return QStringLiteral("无法找到NSIS编译器的位置，请在设置(编译器)中进行设置。\n是否现在进入设置？");
}

QString MissingCompilerCaption() { return QStringLiteral("提示"); }

CompileRequestOutcome RequestCompile(ICompileHost& host, Prompter& prompter, CCompileLogLogic& logic,
                                     const CompileSettings& settings, bool saveCompile) {
    if (logic.IsCompiling())
        return CompileRequestOutcome::Busy;
    if (settings.compilerPath.isEmpty() || !QFileInfo(settings.compilerPath).isFile()) {
        if (prompter.Ask(MissingCompilerText(), MissingCompilerCaption(), PromptIcon::Question, PromptButtons::YesNo)
            == PromptAnswer::Yes)
            host.OpenCompilerSettings();
        return CompileRequestOutcome::NoCompiler;
    }
    if (!host.HasActiveDocument())
        return CompileRequestOutcome::NoDocument;
    host.ShowLogPane();
    if (host.ActiveDocumentPath().isEmpty() || (saveCompile && host.IsActiveDocumentModified()))
        host.SaveActiveDocument();
    const QString path = host.ActiveDocumentPath();
    if (!path.endsWith(QLatin1String(".nsi"), Qt::CaseInsensitive))
        return CompileRequestOutcome::NotAScript;
    return logic.Start(settings, path, host.ActiveDocumentCodePage()) ? CompileRequestOutcome::Started
                                                                      : CompileRequestOutcome::Busy;
}
