// The windowless test run of a script: build, install, uninstall, print the report.
#include "app/core/test_run_command.h"

#include "compiler/core/compile_log_logic.h"
#include "compiler/core/installer_probe.h"
#include "compiler/core/round_trip_logic.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QStandardPaths>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

void Print(FILE* stream, const QString& text) {
    std::fputs(text.toUtf8().constData(), stream);
    std::fflush(stream);
}

// Compiles the script with the makensis on PATH; the installer's path, or empty after printing why not.
QString BuildInstaller(const QString& script) {
    CompileSettings settings;
    settings.compilerPath = QStandardPaths::findExecutable(u"makensis"_s);
    if (settings.compilerPath.isEmpty()) {
        Print(stderr, u"没有找到 NSIS 编译器 makensis。在 Debian 上安装：apt-get install nsis\n"_s);
        return {};
    }
    CCompileLogLogic compile;
    QByteArray log;
    CompileResult result;
    QEventLoop loop;
    QObject::connect(&compile, &CCompileLogLogic::TextReady, &loop, [&](const QByteArray& text) { log += text; });
    QObject::connect(&compile, &CCompileLogLogic::CompileFinished, &loop, [&](const CompileResult& finished) {
        result = finished;
        loop.quit();
    });
    if (!compile.Start(settings, script))
        return {};
    loop.exec();
    if (result.exitCode != 0 || result.installerPath.isEmpty()) {
        Print(stderr, QString::fromUtf8(log) + u"\n编译失败，无法测试安装。\n"_s);
        return {};
    }
    return result.installerPath;
}

}  // namespace

std::optional<int> RunTestRunCommand(int argc, char** argv) {
    bool asked = false;
    for (int i = 1; i < argc; ++i)
        asked = asked || qstrcmp(argv[i], "--test-run") == 0;
    if (!asked)
        return std::nullopt;

    QCoreApplication app(argc, argv);
    bool json = false;
    QString script;
    for (const QString& argument : QCoreApplication::arguments().mid(1)) {
        if (argument == u"--json"_s)
            json = true;
        else if (!argument.startsWith(u"--"_s))
            script = argument;
    }
    if (script.isEmpty() || !QFileInfo(script).isFile()) {
        Print(stderr, u"用法：scrivo --test-run [--json] 脚本.nsi\n"_s);
        return 2;
    }
    script = QFileInfo(script).absoluteFilePath();
    RoundTripOptions options;
    options.installerPath = BuildInstaller(script);
    if (options.installerPath.isEmpty())
        return 2;
    options.chooseDirectory = ScriptFileChoosesDirectory(script);

    CRoundTripLogic logic;
    RoundTripReport report;
    QEventLoop loop;
    QObject::connect(&logic, &CRoundTripLogic::Progress, &loop, [](const QString& text) { Print(stderr, text + u'\n'); });
    QObject::connect(&logic, &CRoundTripLogic::Finished, &loop, [&](const RoundTripReport& finished) {
        report = finished;
        loop.quit();
    });
    logic.Start(options);
    loop.exec();
    Print(stdout, json ? QString::fromUtf8(RoundTripJson(report)) : RoundTripText(report));
    return RoundTripExitCode(report);
}
