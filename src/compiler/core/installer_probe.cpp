// Facts about a built installer and a script that the test run needs.
#include "compiler/core/installer_probe.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringConverter>

using namespace Qt::StringLiterals;

namespace {
quint32 ReadLe(const QByteArray& bytes, qsizetype at, int size) {
    quint32 value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | quint8(bytes[at + i]);
    return value;
}
}  // namespace

ExeMachine ReadExeMachine(const QByteArray& fileStart) {
    if (fileStart.size() < 0x40 || !fileStart.startsWith("MZ"))
        return ExeMachine::Unknown;
    const qsizetype header = ReadLe(fileStart, 0x3C, 4);
    if (header + 6 > fileStart.size() || fileStart.mid(header, 4) != QByteArray("PE\0\0", 4))
        return ExeMachine::Unknown;
    switch (ReadLe(fileStart, header + 4, 2)) {
    case 0x14C: return ExeMachine::X86;
    case 0x8664: return ExeMachine::Amd64;
    case 0xAA64: return ExeMachine::Arm64;
    default: return ExeMachine::Unknown;
    }
}

ExeMachine ReadExeMachineOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? ReadExeMachine(file.read(4096)) : ExeMachine::Unknown;
}

int ReadElfClass(const QByteArray& fileStart) {
    if (fileStart.size() < 5 || !fileStart.startsWith("\x7f" "ELF"))
        return 0;
    return fileStart[4] == 1 ? 32 : fileStart[4] == 2 ? 64 : 0;
}

WindowsCommand ParseUninstallString(const QString& text) {
    const QString trimmed = text.trimmed();
    WindowsCommand command;
    QString rest;
    if (trimmed.startsWith(u'"')) {
        const qsizetype close = trimmed.indexOf(u'"', 1);
        command.program = trimmed.mid(1, close < 0 ? -1 : close - 1);
        rest = close < 0 ? QString() : trimmed.mid(close + 1);
    } else {
        const qsizetype exe = trimmed.indexOf(u".exe"_s, 0, Qt::CaseInsensitive);
        const qsizetype end = exe < 0 ? trimmed.indexOf(u' ') : exe + 4;
        command.program = end < 0 ? trimmed : trimmed.left(end);
        rest = end < 0 ? QString() : trimmed.mid(end);
    }
    command.arguments = rest.split(u' ', Qt::SkipEmptyParts);
    return command;
}

QString FindUninstallString(const QList<RegistryChange>& installChanges) {
    static const QRegularExpression uninstallKey(
        uR"(^HK(LM|CU)\\Software\\(Wow6432Node\\)?Microsoft\\Windows\\CurrentVersion\\Uninstall\\[^\\]+$)"_s,
        QRegularExpression::CaseInsensitiveOption);
    for (const RegistryChange& change : installChanges) {
        if (change.kind != ChangeKind::Removed && change.value.compare(u"UninstallString"_s, Qt::CaseInsensitive) == 0
            && uninstallKey.match(change.key).hasMatch())
            return RegistryDataText(change.data);
    }
    return {};
}

bool ScriptChoosesDirectory(const QString& script) {
    static const QRegularExpression choice(
        uR"(^\s*(InstallDir|InstallDirRegKey|Page\s+directory|!insertmacro\s+MUI_PAGE_DIRECTORY)\b)"_s,
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::MultilineOption);
    return choice.match(script).hasMatch();
}

bool ScriptFileChoosesDirectory(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    QStringDecoder decoder(QStringConverter::encodingForData(bytes).value_or(QStringConverter::Utf8));
    return ScriptChoosesDirectory(decoder.decode(bytes));
}
