// CommandTipSource: the program's command tips and completion words, and their hook into each editor view.
#pragma once

#include "editor/core/command_help_reader.h"
#include "editor/core/manual_reader.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <memory>
#include <utility>

class CScrivoView;
class Configurator;

class CommandTipSource : public QObject {
    Q_OBJECT
public:
    CommandTipSource(const Configurator& config, QObject* parent);
    ~CommandTipSource() override;

    // Reads the compiler's command help and indexes the installed manual off
    // the UI thread; only the first call starts the readers.
    void StartReader(const QString& compilerPath);
    // The reader has finished, with or without a table.
    bool HasFinished() const;
    std::shared_ptr<const NsisTipsTable> Table() const;
    // The installed manual's index; empty until it is read, and without a manual.
    std::shared_ptr<const ManualIndex> Manual() const;
    bool ManualHasFinished() const { return m_manual && m_manual->HasFinished(); }
    // True the first time only: the note that the manual is missing is said once.
    bool TakeMissingManualNote() { return !std::exchange(m_missingManualNoted, true); }
    // The completion words, taken from the language's first three keyword
    // lists the first time they are needed.
    const QList<QByteArray>& Words();

    // Typing in view shows tips and completion lists, resting the mouse on a
    // command shows its tip. The hook goes with the view.
    void Attach(CScrivoView* view);

private:
    const Configurator& m_config;
    std::unique_ptr<CGetNsisFuncTipsThread> m_reader;
    std::unique_ptr<CManualIndexThread> m_manual;
    bool m_missingManualNoted = false;
    QList<QByteArray> m_words;
    bool m_wordsRead = false;
};
