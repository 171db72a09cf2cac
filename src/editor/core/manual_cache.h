// The manual's index cached on disk, once per installation of the manual.
#pragma once

#include "editor/core/manual_index.h"

#include <QString>
#include <optional>

// The latest modification time of the manual's folder and its pages (ms since
// the epoch); -1 when the folder does not exist.
qint64 ManualStamp(const QString& docFolder);

// $XDG_CACHE_HOME/scrivo/manual-index.bin.
QString ManualCacheFile();

// The cached index when it was built from docFolder at stamp; nothing when the
// file is missing, stale, of another format or damaged.
std::optional<ManualIndex> LoadManualIndex(const QString& cacheFile, const QString& docFolder, qint64 stamp);
bool SaveManualIndex(const QString& cacheFile, const ManualIndex& index, qint64 stamp);

// The cached index, else one built now and cached.
ManualIndex LoadOrBuildManualIndex(const QString& docFolder, const QString& cacheFile);
