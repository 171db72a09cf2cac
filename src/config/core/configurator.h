// Configurator: the one configuration object: config.xml, langs.xml, stylers.xml and the program's paths.
#pragma once

#include "config/core/base_config.h"
#include "config/core/language.h"
#include "config/core/lexer_type.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class Prompter;
struct EntryList;
namespace tinyxml2 {
class XMLDocument;
class XMLElement;
}  // namespace tinyxml2

// The statistics-service sign-in kept in config.xml.
struct LoginRecord {
    QString email;
    QString password;  // held decoded; stored encoded
    int save = 1;
    int autoLogin = 0;

    bool operator==(const LoginRecord&) const = default;
};

// Where a deployment points the online services (element OnlineServers); empty keeps the built-in hosts.
struct ServerAddresses {
    QString statServer;  // the statistics service, e.g. "https://stat.example.org:8443"
    QString infoServer;  // the maker's information server: update file and pages
};

constexpr int kMaxRecentFiles = 16;
// Control numbers of the find and replace history boxes.
constexpr int kFindHistory = 1001;
constexpr int kReplaceHistory = 1002;
// LastOpenFiles entry for the start page, after the "1"/"0" active flag.
inline constexpr char kStartPageEntry[] = "#StartPage#";

class Configurator {
public:
    // programFolder: the executable's folder. userFolder: where the files are
    // copied to and used from when programFolder is not writable.
    Configurator(QString programFolder, QString userFolder, Prompter& prompter);
    ~Configurator();
    Configurator(const Configurator&) = delete;
    Configurator& operator=(const Configurator&) = delete;

    // Reads langs.xml, stylers.xml and config.xml; false ends start-up.
    bool Load();

    // Settings record; change it, then call SaveBaseConfig().
    BaseConfig& Base() { return m_base; }
    const BaseConfig& Base() const { return m_base; }
    // False when config.xml could not be written; the old file is then left whole.
    bool SaveBaseConfig();

    // Recent files, oldest first; each change is written at once.
    void AddRecentFile(const QString& path);
    void RemoveRecentFile(const QString& path);
    void ClearRecentFiles();
    QStringList RecentFiles() const;

    // Entries are "1" (the active tab) or "0", then a full path or kStartPageEntry.
    // True when the stored list changed; the caller then calls SaveBaseConfig().
    // codePages, one per entry, -1 for none, become each entry's "CodePage"
    // attribute: the code page an ANSI document was read in.
    bool WriteOpenFiles(const QStringList& entries, const std::vector<int>& codePages = {});
    QStringList ReadOpenFiles() const;
    // One per entry of ReadOpenFiles, -1 where none is stored.
    std::vector<int> ReadOpenFileCodePages() const;

    // History of the box with control number n (kFindHistory, kReplaceHistory).
    bool WriteHistory(int n, const QStringList& texts);
    QStringList ReadHistory(int n) const;

    // Next update reminder, seconds since 1970 UTC.
    std::int64_t NextUpdateTime() const { return m_nextUpdateTime; }
    void SetNextUpdateTime(std::int64_t seconds) { m_nextUpdateTime = seconds; }
    void SaveUpdateInfo();

    LoginRecord& Login() { return m_login; }
    const LoginRecord& Login() const { return m_login; }
    void SaveUserInfo();

    // Read only: the program never writes them.
    const ServerAddresses& Servers() const { return m_servers; }

    // Keyword lists and styles.
    const std::vector<Language>& Languages() const { return m_languages; }
    std::vector<LexerType>& LexerTypes() { return m_lexerTypes; }
    const std::vector<LexerType>& LexerTypes() const { return m_lexerTypes; }
    // Keyword text of a class of the first language with that identifier.
    std::optional<QString> KeywordsFor(int identifier, int keywordClass) const;
    LexerType* FindLexerType(const QString& name);
    const LexerType* FindLexerType(const QString& name) const;
    static WordsStyle* FindStyle(LexerType& lexer, const QString& name);
    static const WordsStyle* FindStyle(const LexerType& lexer, const QString& name);
    // Writes the style records back into stylers.xml.
    bool SaveStyles();

    // The folder whose three files are used (the program folder or the user's copy).
    QString ProgramFolder() const;
    // The executable's folder when makensis lies in it, else the folder of makensis on PATH.
    QString NsisFolder() const;
    QString GetCompilerPath() const;
    QString GetHelpPath() const;

private:
    tinyxml2::XMLElement* ConfigRoot();
    tinyxml2::XMLElement* ConfigElement(const char* name);  // created when missing
    const tinyxml2::XMLElement* FindConfigElement(const char* name) const;
    bool RewriteList(const char* name, EntryList kind, const QStringList& values);
    void ReadConfig(const tinyxml2::XMLElement& root);
    bool SaveConfig();

    QString m_programFolder;
    QString m_userFolder;
    Prompter& m_prompter;
    mutable std::optional<QString> m_usedFolder;

    std::unique_ptr<tinyxml2::XMLDocument> m_langs;
    std::unique_ptr<tinyxml2::XMLDocument> m_stylers;
    std::unique_ptr<tinyxml2::XMLDocument> m_config;

    std::vector<Language> m_languages;
    std::vector<LexerType> m_lexerTypes;
    BaseConfig m_base;
    std::int64_t m_nextUpdateTime = 0;
    LoginRecord m_login;
    ServerAddresses m_servers;
};
