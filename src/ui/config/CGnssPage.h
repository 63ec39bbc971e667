#pragma once

#include "ui/config/GnssPageLogic.h"
#include "ui/kit/CReceiverPage.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace quorrel {

// "GNSS": tracking mode, SBAS, elevation mask and external antenna, read from the receiver
// when the page opens and sent when the sheet is accepted (GnssPageLogic). Only what the
// receiver has is shown; the minimum SNR and maximum PDOP fields never are.
class CGnssPage : public CReceiverPage {
    Q_OBJECT

public:
    explicit CGnssPage(const ScreenContext& context, QWidget* parent = nullptr);

    QComboBox* trackingModeList() const { return m_trackingMode; }
    QCheckBox* sbasBox() const { return m_sbas; }
    QLineEdit* elevationField() const { return m_elevation; }
    QComboBox* antennaList() const { return m_antenna; }
    // What the controls hold now.
    GnssValues values() const;

protected:
    void onInitPage() override;
    bool onApply() override;

private:
    void bind(const GnssValues& values);
    void setRowVisible(int row, bool visible);

    GnssPageLogic m_logic;
    bool m_antennaShown = false;
    QComboBox* m_trackingMode;
    QCheckBox* m_sbas;
    QLineEdit* m_elevation;
    QComboBox* m_antenna;
};

}  // namespace quorrel
