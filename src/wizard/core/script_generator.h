// GenerateScript: turns an installer description into the text of an NSIS script.
#pragma once

#include "wizard/core/wizard_data.h"

#include <QString>

// The whole script, every line ended by CR LF. Only reading the source directories of
// recursive entries touches the disk; a directory that cannot be read adds nothing.
QString GenerateScript(const WizardData& data);

// The user picks the start menu folder only on the modern interface's start menu page.
bool UsesStartMenuPage(const WizardData& data);
