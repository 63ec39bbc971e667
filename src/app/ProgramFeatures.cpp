#include "app/MainMenuFeatures.h"
#include "ui/config/CGnssSettingSheet.h"
#include "ui/config/CNmeaOutputSheet.h"
#include "ui/config/CTroubleshootSheet.h"
#include "ui/kit/Resources.h"
#include "ui/kit/StringIds.h"
#include "ui/link/CDiffModeSheet.h"
#include "ui/link/CRealTimeDiffPage.h"
#include "ui/status/CGnssStatusSheet.h"

namespace quorrel {
namespace {

// A sheet captioned with its menu entry's text, run modally over the menu.
template <typename Sheet>
SheetAction sheetAction(StringId caption) {
    return [caption](QWidget* parent, const ScreenContext& context) {
        Sheet sheet(context, parent);
        sheet.setCaption(resText(caption));
        sheet.exec();
    };
}

}  // namespace

// The screens each menu entry opens; an entry without one opens nothing.
MainMenuFeatures programFeatures() {
    MainMenuFeatures features;
    features.gnssSettings = sheetAction<CGnssSettingSheet>(kStrGnssSettings);
    features.nmeaOutput = sheetAction<CNmeaOutputSheet>(kStrNmeaOutput);
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
    features.troubleShooting = sheetAction<CTroubleshootSheet>(kStrTroubleShooting);
    return features;
}

}  // namespace quorrel
