#pragma once

#include <QString>

namespace quorrel {

// The program's file version ("2.0.3"), from the build's project version; never taken from
// a language file.
QString GetProgramFileVersion();

}  // namespace quorrel
