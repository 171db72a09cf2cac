// CommandTipSource: the program's command tips and completion words, and their hook into each editor view.
#pragma once

#include "editor/core/command_help_reader.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <memory>

class CScrivoView;
class Configurator;

class CommandTipSource : public QObject {
    Q_OBJECT
public:
    CommandTipSource(const Configurator& config, QObject* parent);
    ~CommandTipSource() override;

    // Reads the compiler's command help off the UI thread; only the first
    // call starts a reader.
    void StartReader(const QString& compilerPath);
    // The reader has finished, with or without a table.
    bool HasFinished() const;
    std::shared_ptr<const NsisTipsTable> Table() const;
    // The completion words, taken from the language's first three keyword
    // lists the first time they are needed.
    const QList<QByteArray>& Words();

    // Typing in view shows tips and completion lists, resting the mouse on a
    // command shows its tip. The hook goes with the view.
    void Attach(CScrivoView* view);

private:
    const Configurator& m_config;
    std::unique_ptr<CGetNsisFuncTipsThread> m_reader;
    QList<QByteArray> m_words;
    bool m_wordsRead = false;
};
