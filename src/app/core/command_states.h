// Which commands are enabled and checked for the frame's current document, and the status bar texts.
#pragma once

#include "editor/core/text_encoding.h"

#include <QString>
#include <array>
#include <optional>
#include <utility>
#include <vector>

// What the frame knows about its active tab, gathered without widgets.
struct DocumentState {
    bool modified = false;
    bool hasPath = false;
    bool fileExists = false;   // the document's path names an existing file
    bool isNsiScript = false;  // the path ends in ".nsi", any letter case
    bool anyModified = false;  // of all document tabs
    bool canUndo = false;
    bool canRedo = false;
    bool canPaste = false;
    bool hasSelection = false;
    bool installerExists = false;  // the installer last built from it is there
    TextEncoding encoding = TextEncoding::Ucs2LittleEndian;
};

struct CommandStates {
    std::vector<std::pair<int, bool>> enabled;
    // The encoding item with the radio check; none without a document.
    std::optional<int> checkedEncoding;
};

// The commands that need an active document.
const std::array<int, 38>& DocumentCommands();

// document: empty when no document tab is active (none, or the start page).
CommandStates ComputeCommandStates(const std::optional<DocumentState>& document, bool compiling);

// The encoding item that stands for an encoding, and the encoding an item sets.
int EncodingCommand(TextEncoding encoding);
std::optional<TextEncoding> EncodingOfCommand(int id);

// Status bar parts 1 to 5.
QString SignInStatusText(bool signedIn);
QString CaretStatusText(long line, long column, long selectionLength);
QString CountStatusText(long lines, long length);
QString OvertypeStatusText(bool overtype);
// The prompt shown when no menu item is highlighted.
QString IdleStatusText();
