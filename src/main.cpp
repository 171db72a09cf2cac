// Scrivo's entry point: command line, hand-over to a running instance, checks, configuration, main frame.
#include "app/core/command_line.h"
#include "app/core/headless_check.h"
#include "app/core/instance_channel.h"
#include "app/core/test_run_command.h"
#include "app/ui/main_frame.h"
#include "config/core/config_paths.h"
#include "config/core/configurator.h"
#include "editor/ui/scrivo_view.h"
#include "online/core/online_servers.h"
#include "online/ui/online_controller.h"
#include "platform/app_name.h"
#include "platform/heap_release.h"
#include "platform/ui/app_icon.h"
#include "platform/ui/dialog_prompter.h"
#include "platform/ui/qt_translation.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {
CommandLine ParseArgv(int argc, char** argv) {
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    return ParseCommandLine(args);
}

// --check needs no display: it runs before any widget machinery exists.
int RunCheck(int argc, char** argv, const CommandLine& commandLine) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(u"scrivo"_s);
    QTextStream out(stdout);
    QTextStream err(stderr);
    return RunHeadlessCheck({commandLine.path, commandLine.json,
                             ProgramDataFolder(QCoreApplication::applicationDirPath()), DefaultUserConfigFolder()},
                            out, err);
}
}  // namespace

int main(int argc, char** argv) {
    LimitRetainedHeap();
    // Decided before QApplication: the test run needs no display.
    if (const std::optional<int> exitCode = RunTestRunCommand(argc, argv))
        return *exitCode;
    if (const CommandLine commandLine = ParseArgv(argc, argv); commandLine.check)
        return RunCheck(argc, argv, commandLine);
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"scrivo"_s);
    LoadQtChineseTranslation(app);
    // Every window and dialog shows the program's icon; the desktop finds the entry by this name.
    QApplication::setWindowIcon(AppIcon());
    QGuiApplication::setDesktopFileName(u"scrivo"_s);

    CommandLine commandLine = ParseCommandLine(QApplication::arguments().mid(1));
    // The running instance has its own working folder: hand it an absolute path.
    if (!commandLine.path.isEmpty())
        commandLine.path = QFileInfo(commandLine.path).absoluteFilePath();

    InstanceClaim claim = ClaimInstance(DefaultInstanceSocketName(), {commandLine.compile, commandLine.path});
    if (claim.handedOver)
        return 1;

    DialogPrompter prompter;
    if (!CScrivoView::NsisLexerAvailable()) {
        prompter.Ask(u"找不到文件SciLexer.DLL,请重新安装软件。"_s, kAppName, PromptIcon::None, PromptButtons::Ok);
        return 1;
    }

    Configurator config(ProgramDataFolder(QCoreApplication::applicationDirPath()), DefaultUserConfigFolder(), prompter);
    if (!config.Load())
        return -1;

    CMainFrame frame(config, prompter, StartPageContentUrl(ResolveOnlineServers(config.Servers())));
    prompter.SetOwner(&frame);
    if (claim.server)
        QObject::connect(claim.server.get(), &InstanceServer::HandOver, &frame, &CMainFrame::OnHandOver);
    if (config.Base().ShowMaximized)
        frame.showMaximized();
    else
        frame.show();
    frame.OpenInitialDocuments(commandLine);
    frame.Online().StartAutomaticUpdateCheck();
    frame.RebuildRecentMenu();
    return QApplication::exec();
}
