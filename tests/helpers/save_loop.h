// What the save-loop helper writes, shared with the tests that kill it.
#pragma once

#include <QString>
#include <QStringList>

// Enough open-file entries to make config.xml large, so a kill often lands inside a save.
inline QStringList ManyOpenFiles() {
    QStringList entries;
    for (int i = 0; i < 3000; ++i)
        entries << QStringLiteral("0/home/user/projects/installer-%1/scripts/setup-%1.nsi").arg(i);
    return entries;
}

// The two compressor values the helper writes in turn.
inline int LoopCompressor(int round) { return 1 + round % 2; }
