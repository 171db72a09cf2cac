// The makensis command of a compile run.
#include "compiler/core/compile_command.h"

#include "config/core/configurator.h"

#include <array>

CompileSettings ReadCompileSettings(const Configurator& config, int compressor) {
    const BaseConfig& base = config.Base();
    return CompileSettings{config.GetCompilerPath(), base.Defs, base.DisNsh != 0, base.DisNsi != 0, compressor};
}

QString CompressorName(int index) {
    // Index 7, "the best", has no switch of its own and takes index 1's.
    static const std::array<const char*, 8> names = {"",     "zlib",        "/SOLID zlib", "bzip2", "/SOLID bzip2",
                                                     "lzma", "/SOLID lzma", "zlib"};
    if (index < 0 || index >= static_cast<int>(names.size()))
        return {};
    return QString::fromLatin1(names[static_cast<size_t>(index)]);
}

QStringList CompileOptions(const CompileSettings& settings) {
    QStringList options;
    const QString compressor = CompressorName(settings.compressor);
    if (!compressor.isEmpty())
        options << QStringLiteral("-XSetCompressor /FINAL ") + compressor;
    if (settings.disNsh)
        options << QStringLiteral("-NOCONFIG");
    if (settings.disNsi)
        options << QStringLiteral("-NOCD");
    for (const QString& define : CompileDefines(settings))
        options << QStringLiteral("-D") + define;
    return options;
}

QStringList CompileDefines(const CompileSettings& settings) {
    QStringList defines;
    const QStringList lines = settings.defs.split(QLatin1Char('\n'));
    for (const QString& raw : lines) {
        QString line = raw.trimmed();
        // The stored form is "/Dname"; "-Dname" and a bare name mean the same.
        if (line.startsWith(QLatin1String("/D"), Qt::CaseInsensitive)
            || line.startsWith(QLatin1String("-D"), Qt::CaseInsensitive))
            line.remove(0, 2);
        if (!line.isEmpty())
            defines << line;
    }
    return defines;
}

QStringList CompileArguments(const CompileSettings& settings, const QString& script, bool scriptOnStdin) {
    QStringList arguments = CompileOptions(settings);
    // After "--" makensis would take "-" as a file name.
    if (scriptOnStdin)
        arguments << QStringLiteral("-");
    else
        arguments << QStringLiteral("--") << script;
    return arguments;
}

QString ShellQuote(const QString& argument) {
    if (argument.isEmpty())
        return QStringLiteral("''");
    bool plain = true;
    for (const QChar c : argument) {
        const char16_t u = c.unicode();
        const bool safe = (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9')
            || QStringView(u"_-+=.,/:@%").contains(c);
        if (!safe) {
            plain = false;
            break;
        }
    }
    if (plain)
        return argument;
    QString quoted = argument;
    quoted.replace(QLatin1Char('\''), QLatin1String("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

QString CommandLineLogText(const QString& program, const QStringList& arguments) {
    QStringList words{ShellQuote(program)};
    for (const QString& argument : arguments)
        words << ShellQuote(argument);
    return QStringLiteral("CommandLine=") + words.join(QLatin1Char(' ')) + QStringLiteral("\n\n");
}

namespace {
bool IsUtf8Locale(const QString& value) {
    return value.contains(QLatin1String("UTF-8"), Qt::CaseInsensitive)
        || value.contains(QLatin1String("UTF8"), Qt::CaseInsensitive);
}
}  // namespace

QProcessEnvironment MakensisEnvironment(const QProcessEnvironment& base) {
    QProcessEnvironment environment = base;
    // The first one set decides the character type, as in setlocale.
    QString ctype;
    for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        ctype = environment.value(QString::fromLatin1(name));
        if (!ctype.isEmpty())
            break;
    }
    if (!IsUtf8Locale(ctype))
        environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    return environment;
}
