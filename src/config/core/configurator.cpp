// Configurator: the one configuration object: config.xml, langs.xml, stylers.xml and the program's paths.
#include "config/core/configurator.h"

#include "config/core/config_paths.h"
#include "config/core/entry_list.h"
#include "config/core/password_codec.h"
#include "config/core/style_files.h"
#include "config/core/xml_file.h"
#include "config/core/xml_values.h"
#include "platform/prompter.h"

#include <QDir>

#include <tinyxml2.h>

#include <utility>
#include <variant>

namespace {

constexpr char kRoot[] = "Scrivo";
constexpr char kBaseConfig[] = "BaseConfig";
constexpr char kRecentFiles[] = "RecentFiles";
constexpr char kLastOpenFiles[] = "LastOpenFiles";
constexpr char kUpdateInfo[] = "UpdateInfo";
constexpr char kNextUpdate[] = "nextSUDlg";
constexpr char kUserInfo[] = "UserInfo";
constexpr char kOnlineServers[] = "OnlineServers";
constexpr char kVal[] = "Val";
constexpr EntryList kRecentEntry{"RF", "File"};
constexpr EntryList kOpenEntry{"LF", "File"};
constexpr char kCodePageAttribute[] = "CodePage";
constexpr EntryList kHistoryEntry{"FR", "Text"};

struct BaseConfigKey {
    const char* name;
    std::variant<int BaseConfig::*, QString BaseConfig::*> field;
};

// The order in which the keys are written.
const BaseConfigKey kBaseConfigKeys[] = {
    {"ShowMaximized", &BaseConfig::ShowMaximized},
    {"CaptionShowFName", &BaseConfig::CaptionShowFName},
    {"OpenLastFiles", &BaseConfig::OpenLastFiles},
    {"CodeViewLeft", &BaseConfig::CodeViewLeft},
    {"ShowToolbar", &BaseConfig::ShowToolbar},
    {"ShowSatusbar", &BaseConfig::ShowSatusbar},
    {"ShowCodeTree", &BaseConfig::ShowCodeTree},
    {"ShowCodeView", &BaseConfig::ShowCodeView},
    {"TabSize", &BaseConfig::TabSize},
    {"TabSpace", &BaseConfig::TabSpace},
    {"ShowLineNumber", &BaseConfig::ShowLineNumber},
    {"ShowHotCurLine", &BaseConfig::ShowHotCurLine},
    {"HotCurLineColor", &BaseConfig::HotCurLineColor},
    {"Compressor", &BaseConfig::Compressor},
    {"CompilePath", &BaseConfig::CompilePath},
    {"HelpPath", &BaseConfig::HelpPath},
    {"Defs", &BaseConfig::Defs},
    {"DisNsh", &BaseConfig::DisNsh},
    {"DisNsi", &BaseConfig::DisNsi},
    {"SaveCompile", &BaseConfig::SaveCompile},
};

const char* ValOf(const tinyxml2::XMLElement* parent, const char* child) {
    const tinyxml2::XMLElement* element = parent ? parent->FirstChildElement(child) : nullptr;
    return element ? element->Attribute(kVal) : nullptr;
}

// Missing keeps what is held.
void ReadNumber(const tinyxml2::XMLElement* parent, const char* child, int& value) {
    if (const char* text = ValOf(parent, child))
        value = ParseDecimal(text);
}

void ReadText(const tinyxml2::XMLElement* parent, const char* child, QString& value) {
    if (const char* text = ValOf(parent, child))
        value = QString::fromUtf8(text);
}

tinyxml2::XMLElement* ChildElement(tinyxml2::XMLElement& parent, const char* name) {
    if (auto* child = parent.FirstChildElement(name))
        return child;
    return parent.InsertNewChildElement(name);
}

void WriteVal(tinyxml2::XMLElement& parent, const char* child, const char* value) {
    ChildElement(parent, child)->SetAttribute(kVal, value);
}

void WriteVal(tinyxml2::XMLElement& parent, const char* child, const QString& value) {
    WriteVal(parent, child, value.toUtf8().constData());
}

void WriteVal(tinyxml2::XMLElement& parent, const char* child, long long value) {
    WriteVal(parent, child, QByteArray::number(value).constData());
}

QByteArray HistoryElementName(int n) { return QByteArrayLiteral("FindReplaceText-") + QByteArray::number(n); }

tinyxml2::XMLElement* FindRecentEntry(tinyxml2::XMLElement& list, const QString& path) {
    for (auto* entry = list.FirstChildElement(kRecentEntry.element); entry != nullptr;
         entry = entry->NextSiblingElement(kRecentEntry.element)) {
        if (QString::fromUtf8(entry->Attribute(kRecentEntry.attribute)).compare(path, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return nullptr;
}

}  // namespace

Configurator::Configurator(QString programFolder, QString userFolder, Prompter& prompter)
    : m_programFolder(std::move(programFolder)), m_userFolder(std::move(userFolder)), m_prompter(prompter) {
    while (m_programFolder.size() > 1 && m_programFolder.endsWith(QLatin1Char('/')))
        m_programFolder.chop(1);
}

Configurator::~Configurator() = default;

bool Configurator::Load() {
    const QDir folder(ProgramFolder());

    const QString langsPath = folder.filePath(QStringLiteral("langs.xml"));
    m_langs = std::make_unique<tinyxml2::XMLDocument>();
    m_languages.clear();
    if (LoadXmlFile(langsPath, *m_langs, kRoot)) {
        m_languages = ReadLanguages(m_langs->FirstChildElement(kRoot));
    } else {
        m_prompter.Ask(QStringLiteral("Load langs.xml failed!"), QStringLiteral("Configurator"), PromptIcon::None,
                       PromptButtons::Ok);
        m_langs.reset();
    }

    const QString stylersPath = folder.filePath(QStringLiteral("stylers.xml"));
    m_stylers = std::make_unique<tinyxml2::XMLDocument>();
    m_lexerTypes.clear();
    if (!LoadXmlFile(stylersPath, *m_stylers, kRoot)) {
        m_prompter.Ask(QStringLiteral("Load stylers.xml failed!"), stylersPath, PromptIcon::None, PromptButtons::Ok);
        m_stylers.reset();
        return false;
    }
    m_lexerTypes = ReadLexerStyles(m_stylers->FirstChildElement(kRoot));

    const QString configPath = folder.filePath(QStringLiteral("config.xml"));
    m_config = std::make_unique<tinyxml2::XMLDocument>();
    const bool loaded = LoadXmlFile(configPath, *m_config, kRoot);
    const tinyxml2::XMLElement* root = loaded ? m_config->FirstChildElement(kRoot) : nullptr;
    // A file without our root element stops the start too; say so rather
    // than end without a word.
    if (root == nullptr) {
        m_prompter.Ask(QStringLiteral("Load config.xml failed!"), configPath, PromptIcon::None, PromptButtons::Ok);
        m_config.reset();
        return false;
    }
    ReadConfig(*root);
    return true;
}

void Configurator::ReadConfig(const tinyxml2::XMLElement& root) {
    if (const auto* base = root.FirstChildElement(kBaseConfig)) {
        for (const BaseConfigKey& key : kBaseConfigKeys) {
            if (const auto* number = std::get_if<int BaseConfig::*>(&key.field))
                ReadNumber(base, key.name, m_base.**number);
            else
                ReadText(base, key.name, m_base.*std::get<QString BaseConfig::*>(key.field));
        }
    }
    // A damaged time means "remind now" rather than -1, which would be year 2106.
    if (const char* next = ValOf(root.FirstChildElement(kUpdateInfo), kNextUpdate))
        m_nextUpdateTime = ParseUnsigned32(next).value_or(0);
    if (const auto* user = root.FirstChildElement(kUserInfo)) {
        ReadText(user, "email", m_login.email);
        if (const char* pwd = ValOf(user, "pwd"))
            m_login.password = DecodePassword(QByteArray(pwd));
        ReadNumber(user, "save", m_login.save);
        ReadNumber(user, "autol", m_login.autoLogin);
    }
    const auto* servers = root.FirstChildElement(kOnlineServers);
    ReadText(servers, "StatServer", m_servers.statServer);
    ReadText(servers, "InfoServer", m_servers.infoServer);
}

tinyxml2::XMLElement* Configurator::ConfigRoot() {
    if (!m_config) {
        m_config = std::make_unique<tinyxml2::XMLDocument>();
        m_config->InsertEndChild(m_config->NewDeclaration());
    }
    if (auto* root = m_config->FirstChildElement(kRoot))
        return root;
    return m_config->InsertEndChild(m_config->NewElement(kRoot))->ToElement();
}

tinyxml2::XMLElement* Configurator::ConfigElement(const char* name) { return ChildElement(*ConfigRoot(), name); }

const tinyxml2::XMLElement* Configurator::FindConfigElement(const char* name) const {
    const tinyxml2::XMLElement* root = m_config ? m_config->FirstChildElement(kRoot) : nullptr;
    return root ? root->FirstChildElement(name) : nullptr;
}

bool Configurator::SaveConfig() {
    ConfigRoot();
    // A failed write leaves the old file and the in-memory state as they are.
    return SaveXmlFile(*m_config, QDir(ProgramFolder()).filePath(QStringLiteral("config.xml")), kRoot,
                       FileAccess::OwnerOnly);
}

bool Configurator::SaveBaseConfig() {
    tinyxml2::XMLElement* base = ConfigElement(kBaseConfig);
    for (const BaseConfigKey& key : kBaseConfigKeys) {
        if (const auto* number = std::get_if<int BaseConfig::*>(&key.field))
            WriteVal(*base, key.name, m_base.**number);
        else
            WriteVal(*base, key.name, m_base.*std::get<QString BaseConfig::*>(key.field));
    }
    return SaveConfig();
}

void Configurator::AddRecentFile(const QString& path) {
    if (path.isEmpty())
        return;
    tinyxml2::XMLElement* list = ConfigElement(kRecentFiles);
    if (auto* found = FindRecentEntry(*list, path)) {
        if (found == list->LastChildElement(kRecentEntry.element))
            return;
        list->DeleteChild(found);
    } else {
        qsizetype count = ReadEntries(list, kRecentEntry).size();
        for (; count >= kMaxRecentFiles; --count)
            list->DeleteChild(list->FirstChildElement(kRecentEntry.element));
    }
    list->InsertNewChildElement(kRecentEntry.element)->SetAttribute(kRecentEntry.attribute, path.toUtf8().constData());
    SaveConfig();
}

void Configurator::RemoveRecentFile(const QString& path) {
    tinyxml2::XMLElement* list = ConfigRoot()->FirstChildElement(kRecentFiles);
    if (list == nullptr)
        return;
    bool changed = false;
    while (auto* found = FindRecentEntry(*list, path)) {
        list->DeleteChild(found);
        changed = true;
    }
    if (changed)
        SaveConfig();
}

void Configurator::ClearRecentFiles() {
    tinyxml2::XMLElement* root = ConfigRoot();
    if (auto* list = root->FirstChildElement(kRecentFiles)) {
        root->DeleteChild(list);
        SaveConfig();
    }
}

QStringList Configurator::RecentFiles() const { return ReadEntries(FindConfigElement(kRecentFiles), kRecentEntry); }

bool Configurator::RewriteList(const char* name, EntryList kind, const QStringList& values) {
    const bool created = ConfigRoot()->FirstChildElement(name) == nullptr;
    return RewriteEntries(*ConfigElement(name), kind, values) || created;
}

bool Configurator::WriteOpenFiles(const QStringList& entries, const std::vector<int>& codePages) {
    bool changed = RewriteList(kLastOpenFiles, kOpenEntry, entries);
    size_t index = 0;
    for (auto* entry = ConfigElement(kLastOpenFiles)->FirstChildElement(kOpenEntry.element); entry != nullptr;
         entry = entry->NextSiblingElement(kOpenEntry.element), ++index) {
        const int page = index < codePages.size() ? codePages[index] : -1;
        if (entry->IntAttribute(kCodePageAttribute, -1) == page)
            continue;
        changed = true;
        if (page < 0)
            entry->DeleteAttribute(kCodePageAttribute);
        else
            entry->SetAttribute(kCodePageAttribute, page);
    }
    return changed;
}

std::vector<int> Configurator::ReadOpenFileCodePages() const {
    std::vector<int> pages;
    const tinyxml2::XMLElement* list = FindConfigElement(kLastOpenFiles);
    for (auto* entry = list ? list->FirstChildElement(kOpenEntry.element) : nullptr; entry != nullptr;
         entry = entry->NextSiblingElement(kOpenEntry.element))
        pages.push_back(entry->IntAttribute(kCodePageAttribute, -1));
    return pages;
}

QStringList Configurator::ReadOpenFiles() const { return ReadEntries(FindConfigElement(kLastOpenFiles), kOpenEntry); }

bool Configurator::WriteHistory(int n, const QStringList& texts) {
    return RewriteList(HistoryElementName(n).constData(), kHistoryEntry, texts);
}

QStringList Configurator::ReadHistory(int n) const {
    return ReadEntries(FindConfigElement(HistoryElementName(n).constData()), kHistoryEntry);
}

void Configurator::SaveUpdateInfo() {
    WriteVal(*ConfigElement(kUpdateInfo), kNextUpdate,
             static_cast<long long>(static_cast<std::uint32_t>(m_nextUpdateTime)));
    SaveConfig();
}

void Configurator::SaveUserInfo() {
    tinyxml2::XMLElement* user = ConfigElement(kUserInfo);
    WriteVal(*user, "email", m_login.email);
    WriteVal(*user, "pwd", EncodePassword(m_login.password).constData());
    WriteVal(*user, "save", m_login.save);
    WriteVal(*user, "autol", m_login.autoLogin);
    SaveConfig();
}

std::optional<QString> Configurator::KeywordsFor(int identifier, int keywordClass) const {
    if (keywordClass < 0 || keywordClass >= kKeywordClasses)
        return std::nullopt;
    for (const Language& language : m_languages) {
        if (language.id == identifier)
            return language.keywords[size_t(keywordClass)];
    }
    return std::nullopt;
}

LexerType* Configurator::FindLexerType(const QString& name) {
    return const_cast<LexerType*>(std::as_const(*this).FindLexerType(name));
}

const LexerType* Configurator::FindLexerType(const QString& name) const {
    for (const LexerType& lexer : m_lexerTypes) {
        if (lexer.name == name)
            return &lexer;
    }
    return nullptr;
}

WordsStyle* Configurator::FindStyle(LexerType& lexer, const QString& name) {
    return const_cast<WordsStyle*>(FindStyle(std::as_const(lexer), name));
}

const WordsStyle* Configurator::FindStyle(const LexerType& lexer, const QString& name) {
    for (const WordsStyle& style : lexer.styles) {
        if (style.name && *style.name == name)
            return &style;
    }
    return nullptr;
}

bool Configurator::SaveStyles() {
    // Without a loaded document there is nothing to write the records into.
    if (!m_stylers)
        return false;
    WriteLexerStyles(m_stylers->FirstChildElement(kRoot), m_lexerTypes);
    return SaveXmlFile(*m_stylers, QDir(ProgramFolder()).filePath(QStringLiteral("stylers.xml")), kRoot);
}

QString Configurator::ProgramFolder() const {
    if (!m_usedFolder)
        m_usedFolder = ChooseConfigFolder(m_programFolder, m_userFolder);
    return *m_usedFolder;
}

QString Configurator::NsisFolder() const {
    // A makensis shipped beside the executable wins over the system's.
    return FindNsisFolder(m_programFolder);
}

QString Configurator::GetCompilerPath() const {
    if (!m_base.CompilePath.isEmpty())
        return m_base.CompilePath;
    const QString folder = NsisFolder();
    return folder.isEmpty() ? QString() : QDir(folder).filePath(QStringLiteral("makensis"));
}

QString Configurator::GetHelpPath() const {
    if (!m_base.HelpPath.isEmpty())
        return m_base.HelpPath;
    return FindNsisManual();
}
