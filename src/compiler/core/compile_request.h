// RequestCompile: the compile command's steps before the worker starts, over a small view of the frame.
#pragma once

#include "compiler/core/compile_command.h"
#include "text/core/code_page.h"

#include <QString>

class CCompileLogLogic;
class Prompter;

// What the compile command needs of the main frame and its active document.
class ICompileHost {
public:
    virtual ~ICompileHost() = default;
    virtual bool HasActiveDocument() const = 0;
    virtual void ShowLogPane() = 0;
    // Empty for a document that has never been saved.
    virtual QString ActiveDocumentPath() const = 0;
    virtual bool IsActiveDocumentModified() const = 0;
    // The code page of the active document when it is ANSI text; none lets the compile detect it.
    virtual std::optional<CodePage> ActiveDocumentCodePage() const { return std::nullopt; }
    // The ordinary save command: save-as for an untitled document. It reports
    // its own failures; a cancelled save-as leaves the path empty.
    virtual void SaveActiveDocument() = 0;
    // The settings dialog on its compiler page.
    virtual void OpenCompilerSettings() = 0;
};

QString MissingCompilerText();
QString MissingCompilerCaption();

enum class CompileRequestOutcome { Started, Busy, NoCompiler, NoDocument, NotAScript };

// Checks the compiler, the document, shows the log, saves when it must and
// starts the compile of a ".nsi" script. A request while a compile runs
// changes nothing.
CompileRequestOutcome RequestCompile(ICompileHost& host, Prompter& prompter, CCompileLogLogic& logic,
                                     const CompileSettings& settings, bool saveCompile);
