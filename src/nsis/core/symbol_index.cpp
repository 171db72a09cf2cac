// NsisSymbolIndex: where the symbols of a script and every file it includes are defined and used.
#include "nsis/core/symbol_index.h"

#include "text/core/code_page_conversion.h"
#include "text/core/text_detection.h"
#include "text/core/utf16_conversion.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace {
// Headers that include each other without end, or a folder of thousands, must not hold the index up.
constexpr int kMaxFiles = 1000;
constexpr qint64 kMaxFileBytes = 16 * 1024 * 1024;

bool SameName(const QString& a, const QString& b) {
    return a.size() == b.size() && NsisSymbolKey(a) == NsisSymbolKey(b);
}
}  // namespace

std::optional<QString> ReadNsisFile(const QString& path) {
    QFile file(path);
    if (file.size() > kMaxFileBytes || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    const DetectedText detected = DetectText(bytes);
    const QByteArrayView body = QByteArrayView(bytes).sliced(detected.markLength);
    QByteArray utf8;
    switch (detected.charset) {
    case TextCharset::SevenBit:
    case TextCharset::Utf8: return QString::fromUtf8(body);
    case TextCharset::Utf16LittleEndian: Utf16ToUtf8(body, ByteOrder::LittleEndian, Surrogates::Refused, utf8); break;
    case TextCharset::Utf16BigEndian: Utf16ToUtf8(body, ByteOrder::BigEndian, Surrogates::Refused, utf8); break;
    case TextCharset::AnsiCodePage:
        if (!CodePageToUtf8(body, detected.codePage, Undecodable::Replaced, utf8))
            return std::nullopt;
        break;
    }
    return QString::fromUtf8(utf8);
}

NsisSymbolIndex NsisSymbolIndex::Build(const QStringList& rootFiles, const QHash<QString, QString>& openTexts,
                                       const IncludeResolver& resolver, const QStringList& presetDefines,
                                       const NsisSymbolIndex* previous) {
    NsisSymbolIndex index;
    index.m_presetDefines = presetDefines;
    for (const QString& root : rootFiles) {
        index.m_includeDirs.clear();
        index.Read(QDir::cleanPath(root), QDir::cleanPath(root), openTexts, resolver, previous);
    }
    return index;
}

void NsisSymbolIndex::Read(const QString& root, const QString& path, const QHash<QString, QString>& openTexts,
                           const IncludeResolver& resolver, const NsisSymbolIndex* previous) {
    if (path.isEmpty() || m_files.contains(path) || m_files.size() >= kMaxFiles)
        return;
    std::shared_ptr<const NsisScannedFile> scanned;
    const std::shared_ptr<const NsisScannedFile> old = previous ? previous->m_files.value(path) : nullptr;
    if (const auto open = openTexts.constFind(path); open != openTexts.cend()) {
        const size_t hash = qHash(*open);
        if (old && !old->fromDisk && old->textHash == hash && old->size == open->size()) {
            scanned = old;
        } else {
            auto file = std::make_shared<NsisScannedFile>();
            file->scan = ScanNsisSymbols(*open);
            file->textHash = hash;
            file->size = open->size();
            scanned = std::move(file);
        }
    } else {
        const QFileInfo info(path);
        if (!info.isFile())
            return;
        if (old && old->fromDisk && old->modified == info.lastModified() && old->size == info.size()) {
            scanned = old;
        } else {
            const std::optional<QString> text = ReadNsisFile(path);
            if (!text)
                return;
            auto file = std::make_shared<NsisScannedFile>();
            file->scan = ScanNsisSymbols(*text);
            file->modified = info.lastModified();
            file->size = info.size();
            file->fromDisk = true;
            scanned = std::move(file);
        }
    }
    m_files.insert(path, scanned);
    m_order.append(path);
    for (const NsisIncludeDirective& directive : scanned->scan.includes) {
        if (directive.addIncludeDir) {
            m_includeDirs.append(directive.argument);
            continue;
        }
        if (const std::optional<QString> included = resolver(directive.argument, {root, path, m_includeDirs}))
            Read(root, QDir::cleanPath(*included), openTexts, resolver, previous);
    }
}

std::optional<NsisSymbolUse> NsisSymbolIndex::UseAt(const QString& file, int line, int column) const {
    const auto scanned = m_files.value(file);
    if (!scanned)
        return std::nullopt;
    const NsisFileScan& scan = scanned->scan;
    const auto first = std::lower_bound(scan.occurrences.begin(), scan.occurrences.end(), line,
                                        [](const NsisOccurrence& o, int l) { return int(o.line) < l; });
    for (auto o = first; o != scan.occurrences.end() && int(o->line) == line; ++o) {
        if (column >= int(o->column) && column <= int(o->column) + scan.Length(*o))
            return UseOf(file, scan, *o);
    }
    return std::nullopt;
}

NsisSymbolId NsisSymbolIndex::IdOf(const NsisSymbolUse& use) const {
    NsisSymbolId id{use.kind, NsisSymbolKey(use.name), {}, -1};
    if (use.kind != NsisSymbolKind::Label)
        return id;
    id.scopeFile = use.place.file;
    if (const auto scanned = m_files.value(use.place.file))
        id.scope = scanned->scan.ScopeAt(use.place.line);
    return id;
}

NsisSymbolUse NsisSymbolIndex::UseOf(const QString& file, const NsisFileScan& scan, const NsisOccurrence& o) {
    return {{file, int(o.line), int(o.column), scan.Length(o)}, o.Kind(), scan.Name(o), bool(o.definition)};
}

std::vector<NsisSymbolUse> NsisSymbolIndex::References(const NsisSymbolId& id) const {
    std::vector<NsisSymbolUse> uses;
    if (id.kind == NsisSymbolKind::Define) {
        for (const QString& preset : m_presetDefines) {
            if (SameName(preset, id.key))
                uses.push_back({{}, NsisSymbolKind::Define, preset, true});
        }
    }
    for (const QString& file : m_order) {
        if (id.kind == NsisSymbolKind::Label && file != id.scopeFile)
            continue;
        const NsisFileScan& scan = m_files.value(file)->scan;
        const std::vector<quint32> names = scan.NamesMatching(id.key);
        if (names.empty())
            continue;
        for (const NsisOccurrence& o : scan.occurrences) {
            if (o.Kind() == id.kind && std::find(names.begin(), names.end(), quint32(o.name)) != names.end()
                && (id.kind != NsisSymbolKind::Label || scan.ScopeAt(int(o.line)) == id.scope))
                uses.push_back(UseOf(file, scan, o));
        }
    }
    return uses;
}

std::vector<NsisSymbolUse> NsisSymbolIndex::Definitions(const NsisSymbolId& id) const {
    std::vector<NsisSymbolUse> definitions;
    for (NsisSymbolUse& use : References(id)) {
        if (use.definition)
            definitions.push_back(std::move(use));
    }
    return definitions;
}
