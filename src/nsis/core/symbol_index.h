// NsisSymbolIndex: where the symbols of a script and every file it includes are defined and used.
#pragma once

#include "nsis/core/symbol_scan.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

// What an !include is resolved against: the script being read (makensis
// compiles in its folder), the including file and the !addincludedir folders
// named before it, in order, as written.
struct IncludeContext {
    QString rootFile;
    QString fromFile;
    QStringList includeDirs;
};

// The file an !include names, as makensis would find it; nothing when none.
using IncludeResolver = std::function<std::optional<QString>(const QString& includeText, const IncludeContext&)>;

struct NsisPlace {
    QString file;  // absolute; empty for a symbol of the settings' symbol list
    int line = 0;  // 0-based
    int column = 0;
    int length = 0;
};

struct NsisSymbolUse {
    NsisPlace place;
    NsisSymbolKind kind = NsisSymbolKind::Function;
    QString name;
    bool definition = false;
};

// The symbol a use names: kind, folded name and, for labels, the scope it lives in.
struct NsisSymbolId {
    NsisSymbolKind kind = NsisSymbolKind::Function;
    QString key;
    QString scopeFile;  // labels only
    int scope = -1;

    bool operator==(const NsisSymbolId&) const = default;
};

// One file's scan with what it was made from, shared between index generations.
struct NsisScannedFile {
    NsisFileScan scan;
    QDateTime modified;  // for files read from disk
    qint64 size = -1;
    size_t textHash = 0;  // for open documents
    bool fromDisk = false;
};

class NsisSymbolIndex {
public:
    NsisSymbolIndex() = default;

    // Reads each root file and every file it includes, transitively, in
    // include order; a file included twice, a cycle or a missing file ends that
    // branch only. openTexts (absolute path → text) stand for the files on
    // disk; everything else is read in its own code page. Files unchanged
    // since `previous` was built are not read again. presetDefines are the
    // settings' symbols, defined before the script starts.
    static NsisSymbolIndex Build(const QStringList& rootFiles, const QHash<QString, QString>& openTexts,
                                 const IncludeResolver& resolver, const QStringList& presetDefines = {},
                                 const NsisSymbolIndex* previous = nullptr);

    // The files read, in include order.
    const QStringList& Files() const { return m_order; }
    bool Contains(const QString& file) const { return m_files.contains(file); }

    // The use at a position of a file (0-based line, UTF-16 column inside or at the end of the name).
    std::optional<NsisSymbolUse> UseAt(const QString& file, int line, int column) const;
    NsisSymbolId IdOf(const NsisSymbolUse& use) const;
    // Every definition of the symbol, in include order (alternatives under !ifdef included).
    std::vector<NsisSymbolUse> Definitions(const NsisSymbolId& id) const;
    // Every definition and use, in include order.
    std::vector<NsisSymbolUse> References(const NsisSymbolId& id) const;

private:
    void Read(const QString& root, const QString& path, const QHash<QString, QString>& openTexts,
              const IncludeResolver& resolver, const NsisSymbolIndex* previous);
    static NsisSymbolUse UseOf(const QString& file, const NsisFileScan& scan, const NsisOccurrence& o);

    QStringList m_order;
    QHash<QString, std::shared_ptr<const NsisScannedFile>> m_files;
    QStringList m_includeDirs;
    QStringList m_presetDefines;
};

// The text of a file in its own code page (byte-order mark, UTF-8, UTF-16 or the guessed ANSI code page); nothing when unreadable.
std::optional<QString> ReadNsisFile(const QString& path);
