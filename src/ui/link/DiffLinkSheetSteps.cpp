#include "ui/link/DiffLinkSheetSteps.h"

#include "ui/kit/Resources.h"
#include "ui/kit/ScreenContext.h"
#include "ui/kit/StringIds.h"
#include "ui/link/CDialingDialog.h"
#include "ui/link/CGsmConfigSheet.h"
#include "ui/link/CNetworkConfigSheet.h"
#include "ui/link/COtherConfigSheet.h"
#include "ui/link/CUhfConfigSheet.h"

namespace quorrel {

DiffLinkSheets programDiffLinkSheets(const ScreenContext& context, QWidget* parent) {
    DiffLinkSheets sheets;
    sheets.uhf = [context, parent](bool externalReceiver) {
        // The hub always has the radio enabled.
        const UhfConfigLogic logic(externalReceiver ? 1 : 0, 1);
        CUhfConfigSheet sheet(context, resText(kStrUhfRadioSettings), logic, parent);
        return sheet.exec() == QDialog::Accepted;
    };
    sheets.gsm = [context, parent](const GsmValues& given,
                                   bool externalReceiver) -> std::optional<GsmValues> {
        CGsmConfigSheet sheet(context, resText(kStrGsmModemSettings), parent);
        sheet.setValues(given);
        sheet.setExternalReceiver(externalReceiver);
        if (sheet.exec() != QDialog::Accepted) return std::nullopt;
        return sheet.values();
    };
    sheets.dialing = [context, parent](const QString& phoneNumber) {
        CDialingDialog dialog(context, parent);
        dialog.setPhoneNumber(phoneNumber);
        dialog.exec();
        return dialog.lastModemState();
    };
    sheets.network = [context, parent](const NetworkValues& given,
                                       bool externalReceiver) -> std::optional<NetworkValues> {
        CNetworkConfigSheet sheet(context, given.protocol, externalReceiver,
                                  resText(kStrNetworkSettings), parent);
        sheet.setValues(given);
        if (sheet.exec() != QDialog::Accepted) return std::nullopt;
        return sheet.values();
    };
    sheets.otherDevice = [context, parent](const PortValues& given) -> std::optional<PortValues> {
        COtherConfigSheet sheet(context, resText(kStrSerialPortSettings), parent);
        sheet.setValues(given);
        if (sheet.exec() != QDialog::Accepted) return std::nullopt;
        return sheet.values();
    };
    return sheets;
}

}  // namespace quorrel
