#pragma once

#include "ui/config/TroubleshootPageLogic.h"
#include "ui/kit/CReceiverPage.h"

class QCheckBox;
class QComboBox;

namespace quorrel {

// "Troubleshoot": the receiver's debug recording and where it goes (TroubleshootPageLogic).
// On OK with the box ticked the page waits for the receiver to confirm the recording; the
// wait runs on the receiver worker, so the window stays alive.
class CTroubleshootPage : public CReceiverPage {
    Q_OBJECT

public:
    explicit CTroubleshootPage(const ScreenContext& context, QWidget* parent = nullptr);

    QCheckBox* debugOutputBox() const { return m_debugOutput; }
    QComboBox* storageList() const { return m_storage; }
    TroubleshootValues values() const;
    // For tests: how long OK waits before it asks whether the receiver records.
    void setConfirmWaitMs(int ms) { m_logic = TroubleshootPageLogic(ms); }

protected:
    void onInitPage() override;
    bool onApply() override;

private:
    TroubleshootPageLogic m_logic;
    QCheckBox* m_debugOutput;
    QComboBox* m_storage;
};

}  // namespace quorrel
