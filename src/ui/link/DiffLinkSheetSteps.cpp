#include "ui/link/DiffLinkSheetSteps.h"

#include "ui/kit/Resources.h"
#include "ui/kit/ScreenContext.h"
#include "ui/kit/StringIds.h"
#include "ui/link/CNetworkConfigSheet.h"
#include "ui/link/COtherConfigSheet.h"

namespace quorrel {

DiffLinkSheets programDiffLinkSheets(const ScreenContext& context, QWidget* parent) {
    DiffLinkSheets sheets;
    // sheets.uhf: CUhfConfigSheet, "UHF Radio Settings".
    // sheets.gsm and sheets.dialing: CGsmConfigSheet, "GSM Modem Settings", and
    // CDialingDialog.
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
