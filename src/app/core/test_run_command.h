// The windowless test run: "scrivo --test-run [--json] script.nsi" builds the script, installs and uninstalls it in a throwaway wine prefix and prints the report.
#pragma once

#include <optional>

// The program's exit code when the arguments ask for a test run (0: clean,
// 1: something left behind or a step failed, 2: could not run); nothing
// otherwise. Needs no display: it runs before any window system is touched.
std::optional<int> RunTestRunCommand(int argc, char** argv);
