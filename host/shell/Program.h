// drafthost's run: builds the session from the options, loads the modules and the
// drawing, runs the lines and saves the output. Answers the exit status.
#pragma once

#include "host/shell/Options.h"

#include <iosfwd>
#include <string>

namespace dh::shell {

// programDir: the folder of the program, where the bundled modules are looked for.
int runProgram(const Options& options, const std::string& programDir);

// 0 when every line ran, 1 when a line failed, 2 for bad options or a drawing that could
// not be read or written (the worst one wins).
int exitCode(int sessionStatus, bool fileFailed);

}  // namespace dh::shell
