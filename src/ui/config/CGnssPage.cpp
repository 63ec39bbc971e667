#include "ui/config/CGnssPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "ui/kit/Resources.h"

namespace quorrel {
namespace {

enum Row { kTrackingRow, kSbasRow, kElevationRow, kSnrRow, kPdopRow, kAntennaRow, kRowCount };

}  // namespace

CGnssPage::CGnssPage(const ScreenContext& context, QWidget* parent)
    : CReceiverPage(kStrGnssPage, context, parent),
      m_logic(context.deviceClass),
      m_trackingMode(new QComboBox(this)),
      m_sbas(new QCheckBox(resText(kStrUseSbas), this)),
      m_elevation(new QLineEdit(this)),
      m_antenna(new QComboBox(this)) {
    auto* grid = new QGridLayout(this);
    const auto addRow = [&](Row row, int labelId, QWidget* control, int unitId = 0) {
        if (labelId) grid->addWidget(new QLabel(resText(labelId), this), row, 0);
        grid->addWidget(control, row, 1);
        if (unitId) grid->addWidget(new QLabel(resText(unitId), this), row, 2);
    };
    addRow(kTrackingRow, kStrTrackingModeLabel, m_trackingMode);
    addRow(kSbasRow, 0, m_sbas);
    addRow(kElevationRow, kStrElevationMaskLabel, m_elevation, kStrDegreesUnit);
    addRow(kSnrRow, kStrMinimumSnrLabel, new QLineEdit(this));
    addRow(kPdopRow, kStrMaximumPdopLabel, new QLineEdit(this));
    addRow(kAntennaRow, kStrExternalAntennaLabel, m_antenna);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(kRowCount, 1);
    // The antenna names are long: the sheet widens to show them whole.
    m_trackingMode->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_antenna->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    for (int row = 0; row < kRowCount; ++row)
        setRowVisible(row, false);
}

void CGnssPage::setRowVisible(int row, bool visible) {
    auto* grid = static_cast<QGridLayout*>(layout());
    for (int column = 0; column < grid->columnCount(); ++column)
        if (QLayoutItem* item = grid->itemAtPosition(row, column))
            item->widget()->setVisible(visible);
}

void CGnssPage::onInitPage() {
    const GnssValues values =
        onReceiver([this](CGnssReceiver& receiver) { return m_logic.load(receiver); });
    bind(values);
    tell(values.message);
}

void CGnssPage::bind(const GnssValues& values) {
    m_trackingMode->clear();
    m_trackingMode->addItems(m_logic.trackingModes());
    m_trackingMode->setCurrentIndex(values.trackingMode);
    setRowVisible(kTrackingRow, true);
    m_sbas->setChecked(values.sbas);
    setRowVisible(kSbasRow, true);
    m_elevation->setText(values.elevation);
    setRowVisible(kElevationRow, values.elevationShown);
    m_antennaShown = values.antennaShown;
    m_antenna->clear();
    if (m_antennaShown) m_antenna->addItems(GnssPageLogic::antennaNames());
    m_antenna->setCurrentIndex(values.antennaRow);
    setRowVisible(kAntennaRow, m_antennaShown);
}

GnssValues CGnssPage::values() const {
    GnssValues values;
    values.trackingMode = m_trackingMode->currentIndex();
    values.sbas = m_sbas->isChecked();
    values.elevationShown = !m_elevation->isHidden();
    values.elevation = m_elevation->text();
    values.antennaShown = m_antennaShown;
    values.antennaRow = m_antenna->currentIndex();
    return values;
}

bool CGnssPage::onApply() {
    const GnssValues values = this->values();
    onReceiver([this, &values](CGnssReceiver& receiver) { m_logic.apply(receiver, values); });
    return true;
}

}  // namespace quorrel
