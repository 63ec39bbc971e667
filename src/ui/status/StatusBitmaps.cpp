#include "ui/status/StatusBitmaps.h"

#include <QtGlobal>
#include <mutex>

// Resources compiled into a static library register only when asked to.
static void initStatusBitmapsResource() {
    Q_INIT_RESOURCE(status_bitmaps);
}

namespace quorrel {

void registerStatusBitmaps() {
    static std::once_flag once;
    std::call_once(once, initStatusBitmapsResource);
}

}  // namespace quorrel
