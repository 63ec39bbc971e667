#include "app/MainMenuFeatures.h"

namespace quorrel {

// Each screen joins the menu here once it exists, for example:
//   features.gnssStatus = [](QWidget* parent, CGnssReceiver& receiver) {
//       CGnssStatusSheet sheet(&receiver, parent);
//       sheet.exec();
//   };
MainMenuFeatures programFeatures() {
    MainMenuFeatures features;
    return features;
}

}  // namespace quorrel
