// ILogPane: the frame's pane below the documents, as the compile driver sees it.
#pragma once

class QWidget;

class ILogPane {
public:
    // Where the log widget goes.
    virtual QWidget* Area() const = 0;
    virtual bool IsLogShown() const = 0;
    // Shows the pane when it is hidden; leaves it as it is otherwise.
    virtual void RevealLog() = 0;

protected:
    ~ILogPane() = default;
};
