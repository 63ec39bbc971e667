#include "app/MainMenuFeatures.h"
#include "ui/link/CDiffModeSheet.h"
#include "ui/link/CRealTimeDiffPage.h"
#include "ui/status/CGnssStatusSheet.h"

namespace quorrel {

// The screens each menu entry opens; an entry without one opens nothing.
MainMenuFeatures programFeatures() {
    MainMenuFeatures features;
    features.differentialMode = [](QWidget* parent, const ScreenContext& context,
                                   AppSettings& values) {
        CDiffModeSheet sheet(context, QString(), parent);
        sheet.diffPage()->setInput(values);
        if (sheet.exec() != QDialog::Accepted) return false;
        values = sheet.diffPage()->output();
        return true;
    };
    features.gnssStatus = [](QWidget* parent, const ScreenContext& context) {
        CGnssStatusSheet sheet(context, parent);
        sheet.exec();
    };
    return features;
}

}  // namespace quorrel
