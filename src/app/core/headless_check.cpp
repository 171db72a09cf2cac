// RunHeadlessCheck: the compile pipeline run once from the command line, reported as text or JSON.
#include "app/core/headless_check.h"

#include "compiler/core/check_report.h"
#include "compiler/core/compile_command.h"
#include "compiler/core/compile_log_logic.h"
#include "config/core/configurator.h"
#include "platform/prompter.h"

#include <QEventLoop>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {
// Without a window nobody answers: messages go to the error stream, every question is declined.
class StreamPrompter : public Prompter {
public:
    explicit StreamPrompter(QTextStream& err) : m_err(err) {}

    PromptAnswer Message(const PromptMessage& message) override {
        m_err << message.text << Qt::endl;
        switch (message.buttons) {
        case PromptButtons::Ok:
            return PromptAnswer::Ok;
        case PromptButtons::OkCancel:
            return PromptAnswer::Cancel;
        case PromptButtons::YesNo:
            return PromptAnswer::No;
        case PromptButtons::YesNoCancel:
            return PromptAnswer::Cancel;
        }
        return PromptAnswer::Cancel;
    }
    QStringList OpenFileNames(const FileDialogRequest&, bool) override { return {}; }
    QString SaveFileName(const FileDialogRequest&) override { return {}; }
    QString FolderName(const QString&, const QString&) override { return {}; }
    std::optional<std::uint32_t> Colour(std::uint32_t) override { return std::nullopt; }

private:
    QTextStream& m_err;
};

int CouldNotRun(QTextStream& err, const QString& why) {
    err << u"scrivo --check: "_s << why << Qt::endl;
    return int(CheckExit::CouldNotRun);
}
}  // namespace

int RunHeadlessCheck(const HeadlessCheckRequest& request, QTextStream& out, QTextStream& err) {
    if (request.script.isEmpty())
        return CouldNotRun(err, u"用法：scrivo --check [--json] 脚本.nsi"_s);
    const QString script = QFileInfo(request.script).absoluteFilePath();
    QFile readable(script);
    if (!QFileInfo(script).isFile() || !readable.open(QIODevice::ReadOnly))
        return CouldNotRun(err, u"无法读取脚本“%1”"_s.arg(script));
    readable.close();

    StreamPrompter prompter(err);
    Configurator config(request.programFolder, request.userFolder, prompter);
    if (!config.Load())
        return CouldNotRun(err, u"无法读取设置"_s);
    // The script's own compressor, as the editor's menu starts.
    const CompileSettings settings = ReadCompileSettings(config, 0);
    if (settings.compilerPath.isEmpty() || !QFileInfo(settings.compilerPath).isFile())
        return CouldNotRun(err, u"无法找到NSIS编译器的位置，请在设置(编译器)中进行设置。"_s);

    CCompileLogLogic logic;
    CompileResult result;
    QEventLoop loop;
    QObject::connect(&logic, &CCompileLogLogic::CompileFinished, &loop, [&](const CompileResult& finished) {
        result = finished;
        loop.quit();
    });
    if (!logic.Start(settings, script))
        return CouldNotRun(err, u"无法启动编译"_s);
    loop.exec();
    if (!result.started)
        return CouldNotRun(err, u"无法启动编译器“%1”"_s.arg(settings.compilerPath));

    if (request.json)
        out << QString::fromUtf8(CheckReportJson(script, result));
    else
        out << CheckReportText(result);
    out.flush();
    return int(CheckExitOf(result));
}
