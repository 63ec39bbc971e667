#pragma once

#include <QString>

namespace quorrel {

// The language file the program loads: "Lang.rcc" beside the program (a build tree, or a
// copy of the program with its own translation), else the user's or the system's data
// folders ("gnss-quorrel/Lang.rcc" under $XDG_DATA_HOME, then $XDG_DATA_DIRS), else the data
// folder of the prefix the program was installed into. Without any, the path beside the
// program, which does not exist: the built-in texts stay in use.
QString findLanguageFile(const QString& programDir);

}  // namespace quorrel
