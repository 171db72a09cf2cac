// The whole test run of a small installer in wine: with a fresh prefix every time, and with copies of one session template.
#include "bench_support.h"
#include "compiler/core/round_trip_logic.h"

#include <QEventLoop>

namespace {
QTemporaryDir& Folder() {
    static QTemporaryDir dir;
    return dir;
}

// A 64-bit installer writing two files and a value, whose uninstaller removes them.
QString SmallInstaller() {
    static const QString installer = [] {
        const QString script = Folder().filePath("small.nsi");
        WriteFile(script,
                  "Unicode true\nTarget amd64-unicode\nName Small\nOutFile small.exe\n"
                  "InstallDir \"$PROGRAMFILES64\\Small\"\nRequestExecutionLevel admin\nSection\n"
                  "  SetOutPath $INSTDIR\n  File /oname=a.txt \"" + script.toUtf8() + "\"\n"
                  "  File /oname=b.txt \"" + script.toUtf8() + "\"\n"
                  "  WriteRegStr HKLM Software\\Small v 1\n  WriteUninstaller $INSTDIR\\u.exe\n"
                  "  WriteRegStr HKLM Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Small "
                  "UninstallString $INSTDIR\\u.exe\nSectionEnd\nSection Uninstall\n"
                  "  Delete $INSTDIR\\a.txt\n  Delete $INSTDIR\\b.txt\n  Delete $INSTDIR\\u.exe\n  RMDir $INSTDIR\n"
                  "  DeleteRegKey HKLM Software\\Small\n"
                  "  DeleteRegKey HKLM Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Small\nSectionEnd\n");
        QProcess::execute(kMakensis, {"-V1", script});
        return Folder().filePath("small.exe");
    }();
    return installer;
}

RoundTripReport RunOnce(const RoundTripOptions& options) {
    CRoundTripLogic logic;
    RoundTripReport report;
    QEventLoop loop;
    QObject::connect(&logic, &CRoundTripLogic::Finished, &loop, [&](const RoundTripReport& finished) {
        report = finished;
        loop.quit();
    });
    logic.Start(options);
    loop.exec();
    return report;
}

// range(0): 0 makes a prefix every run; 1 copies the template the first run made.
void RoundTrip(benchmark::State& state) {
    RoundTripOptions options;
    options.installerPath = SmallInstaller();
    options.chooseDirectory = true;
    QTemporaryDir session;
    if (state.range(0) == 1) {
        options.templateFolder = session.path();
        if (const RoundTripReport first = RunOnce(options); RoundTripExitCode(first) != 0)
            state.SkipWithError(RoundTripText(first).toStdString().c_str());
    }
    for (auto _ : state) {
        const RoundTripReport report = RunOnce(options);
        if (RoundTripExitCode(report) != 0)
            state.SkipWithError(RoundTripText(report).toStdString().c_str());
    }
}
}  // namespace

BENCHMARK(RoundTrip)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    return RunBenchmarks(argc, argv);
}
