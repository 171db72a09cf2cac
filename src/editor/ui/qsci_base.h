// QScintilla's editing component, included with the Qt keywords its header needs.
#pragma once

// The project builds with QT_NO_KEYWORDS; QScintilla's header still says
// "signals" and "slots", so they are lent to it for the include only.
#define signals Q_SIGNALS
#define slots Q_SLOTS
#include <Qsci/qsciscintillabase.h>
#undef signals
#undef slots
