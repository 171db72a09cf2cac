// Runs the save-loop helper and kills it with SIGKILL once it has saved a random number of times.
#pragma once

#include "support/test_files.h"

#include <QProcess>
#include <QStringList>

#include <csignal>
#include <random>

class KilledSaver {
public:
    // The seed is printed by the tests so a failure can be run again.
    explicit KilledSaver(unsigned seed) : m_random(seed) {}

    // Starts the helper with args, lets it report 1 to 3 saves, and kills it
    // right then, while its next save is under way. False when the helper
    // could not start or ended on its own.
    bool RunAndKill(const QStringList& args) {
        QProcess helper;
        helper.start(QStringLiteral(SCRIVO_BINARY_DIR "/save_loop"), args);
        if (!helper.waitForStarted())
            return false;
        const int saves = std::uniform_int_distribution<int>(1, 3)(m_random);
        int reported = 0;
        while (reported < saves) {
            if (helper.bytesAvailable() == 0 && !helper.waitForReadyRead(60000))
                break;
            reported += int(helper.read(saves - reported).size());
        }
        const bool running = helper.state() == QProcess::Running;
        ::kill(pid_t(helper.processId()), SIGKILL);
        helper.waitForFinished();
        return running && reported == saves;
    }

private:
    std::mt19937 m_random;
};
