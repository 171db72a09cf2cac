// HeaderCompileHint: what the compile key on a header says: how headers are compiled, and which open script would do.
#pragma once

#include <QObject>

class CommandRegistry;
class CompileController;
class DocumentSet;
class FrameStatusBar;
class Prompter;

class HeaderCompileHint : public QObject {
    Q_OBJECT
public:
    HeaderCompileHint(CompileController& compile, CommandRegistry& registry, DocumentSet& documents, Prompter& prompter,
                      FrameStatusBar& status, QObject* parent);

private:
    void OnHeaderRefused(const QString& header);
    // The open script (tab index) that includes the header, or -1.
    int IncludingScript(const QString& header) const;

    CommandRegistry& m_registry;
    DocumentSet& m_documents;
    Prompter& m_prompter;
    FrameStatusBar& m_status;
};
