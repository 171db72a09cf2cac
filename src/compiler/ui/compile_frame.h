// ICompileFrame: the main window's documents and status line as the compile and diagnostics controllers see them.
#pragma once

#include <vector>

class CScrivoView;
class QString;

class ICompileFrame {
public:
    // Null while no document is active.
    virtual CScrivoView* ActiveView() const = 0;
    // Every open document's view, in tab order.
    virtual std::vector<CScrivoView*> Views() const = 0;
    // Saves the active document as the Save command does: true when saved.
    virtual bool SaveActive() = 0;
    // Opens the file, or activates its tab when it is open: true when it is active.
    virtual bool OpenFile(const QString& path) = 0;
    // The status bar's first part.
    virtual void ShowProgress(const QString& text) = 0;

protected:
    ~ICompileFrame() = default;
};
