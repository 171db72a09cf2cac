// A script that keeps makensis's preprocessor busy for seconds without running anything.
#pragma once

#include <QByteArray>

// Each macro inserts the one below twice: about a million expansions.
inline QByteArray HeavyPreprocessorScript() {
    QByteArray script;
    for (int i = 0; i < 20; ++i) {
        const QByteArray below = "!insertmacro M" + QByteArray::number(i - 1) + "\n";
        script += "!macro M" + QByteArray::number(i) + "\n";
        script += i == 0 ? QByteArray("!define /redef X 1\n") : below + below;
        script += "!macroend\n";
    }
    return script + "!insertmacro M19\n";
}
