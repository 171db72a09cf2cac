// INewScriptHost: the frame's documents as the wizard sees them.
#pragma once

class QString;

class INewScriptHost {
public:
    // Opens the script as a new document and, with saveAs, asks where to
    // save it: true when it was saved.
    virtual bool OpenNewScript(const QString& script, bool saveAs) = 0;

protected:
    ~INewScriptHost() = default;
};
