// libFuzzer target: config.xml, langs.xml or stylers.xml of any bytes: whatever loads, saves to something that loads again.
#include "config/core/configurator.h"
#include "fuzz_check.h"
#include "support/scripted_prompter.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <array>

namespace {

constexpr std::array<const char*, 3> kFiles{"config.xml", "langs.xml", "stylers.xml"};

QByteArray Shipped(const char* name) {
    QFile file(QStringLiteral(SCRIVO_RESOURCES "/") + QLatin1StringView(name));
    Require(file.open(QIODevice::ReadOnly), "shipped file readable");
    return file.readAll();
}

void Write(const QString& path, QByteArrayView bytes) {
    QFile file(path);
    Require(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "temporary file writable");
    Require(file.write(bytes.data(), bytes.size()) == bytes.size(), "temporary file written");
}

bool HasRepeatedNames(const std::vector<LexerType>& lexers) {
    QSet<QString> lexerNames;
    for (const LexerType& lexer : lexers) {
        if (lexerNames.contains(lexer.name))
            return true;
        lexerNames.insert(lexer.name);
        QSet<QString> styleNames;
        for (const WordsStyle& style : lexer.styles) {
            if (style.name && styleNames.contains(*style.name))
                return true;
            if (style.name)
                styleNames.insert(*style.name);
        }
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::array<QByteArray, 3> shipped{Shipped(kFiles[0]), Shipped(kFiles[1]), Shipped(kFiles[2])};
    static QTemporaryDir folder;
    if (size == 0)
        return 0;
    // The first byte picks the file the rest of the input replaces.
    const std::size_t replaced = data[0] % kFiles.size();
    for (std::size_t i = 0; i < kFiles.size(); ++i) {
        const QByteArrayView bytes = i == replaced ? QByteArrayView(data + 1, qsizetype(size - 1)) : shipped[i];
        Write(folder.filePath(QLatin1StringView(kFiles[i])), bytes);
    }

    ScriptedPrompter prompter;
    const QString userFolder = folder.filePath(QStringLiteral("user"));
    Configurator first(folder.path(), userFolder, prompter);
    if (!first.Load())
        return 0;
    // A changed setting makes the save write, and shows it was not refused.
    first.Base().Compressor = (first.Base().Compressor + 1) % 8;
    first.SaveBaseConfig();
    Require(first.SaveStyles(), "styles saved");

    Configurator again(folder.path(), userFolder, prompter);
    Require(again.Load(), "the saved files load again");
    Require(again.Base() == first.Base(), "settings survive a save");
    // A second style or lexer of a name already used receives the first one's
    // values on save, by design; every other style must come back as it was.
    if (!HasRepeatedNames(first.LexerTypes()))
        Require(again.LexerTypes() == first.LexerTypes(), "styles survive a save");
    Require(again.Languages().size() == first.Languages().size(), "languages survive a save");
    Require(again.RecentFiles() == first.RecentFiles(), "recent files survive a save");
    return 0;
}
