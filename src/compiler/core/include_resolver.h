// The symbol index's include search: the compiler's own, so that navigation finds the files makensis reads.
#pragma once

#include "nsis/core/symbol_index.h"

// makensis compiles in the folder of the script being read; nsisDir: NSISDIR.
// One resolver serves one index build at a time.
IncludeResolver MakeIncludeResolver(const QString& nsisDir);
