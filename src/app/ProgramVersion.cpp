#include "app/ProgramVersion.h"

namespace quorrel {

QString GetProgramFileVersion() {
    return QStringLiteral(QUORREL_VERSION);
}

}  // namespace quorrel
