#include "app/MainMenuFeatures.h"
#include "ui/status/CGnssStatusSheet.h"

namespace quorrel {

// The screens each menu entry opens; an entry without one opens nothing.
MainMenuFeatures programFeatures() {
    MainMenuFeatures features;
    features.gnssStatus = [](QWidget* parent, const ScreenContext& context) {
        CGnssStatusSheet sheet(context, parent);
        sheet.exec();
    };
    return features;
}

}  // namespace quorrel
