// IActiveEditorHost: the frame's documents as the statistics commands see them.
#pragma once

class ScintillaCall;

class IActiveEditorHost {
public:
    // The active document's editing component; null while none is active.
    virtual ScintillaCall* ActiveEditor() const = 0;

protected:
    ~IActiveEditorHost() = default;
};
