#pragma once

namespace quorrel {

// Sky plot marker images, by resource id (7×7, white corners left out when drawn).
enum StatusBitmapId : int {
    kBmpGlonassNotUsed = 138,
    kBmpGlonassUsed = 139,
    kBmpGlonassUsedNoSignal = 140,
    kBmpGpsNotUsed = 141,
    kBmpGpsUsed = 142,
    kBmpGpsUsedNoSignal = 143,
};

// Makes the built-in marker images of this library available to Resources::bitmap();
// safe to call more than once.
void registerStatusBitmaps();

}  // namespace quorrel
