// The symbol index's include search: the compiler's own, so that navigation finds the files makensis reads.
#pragma once

#include "nsis/core/symbol_index.h"

// compileFolder: where makensis compiles (relative names start there); nsisDir: NSISDIR.
IncludeResolver MakeIncludeResolver(const QString& compileFolder, const QString& nsisDir);
