#include "ui/status/CPositionPage.h"

#include <QFont>
#include <QFontMetrics>
#include <QLabel>
#include <algorithm>

#include "receiver/CGnssReceiver.h"
#include "ui/kit/Resources.h"
#include "ui/kit/StringIds.h"

namespace quorrel {
namespace {

// Layout of the page in dialog units: labels at x 19, values at x 73, a row every 13.
constexpr int kLabelX = 19;
constexpr int kValueX = 73;
constexpr int kValueWidth = 76;
constexpr int kLastValueWidth = 56;
constexpr int kFirstRowY = 7;
constexpr int kRowPitch = 13;
constexpr int kRowHeight = 10;
constexpr int kPageWidth = 156;
constexpr int kPageHeight = 177;

constexpr int kLabelIds[CPositionPage::kRowCount] = {
    kStrLatitudeLabel, kStrLongitudeLabel, kStrAltitudeLabel,   kStrSatellitesLabel,
    kStrPdopLabel,     kStrStatusLabel,    kStrAgeLabel,        kStrHrmsLabel,
    kStrVrmsLabel,     kStrBaselineLabel,  kStrTimeToFixedLabel};

QFont valueFont() {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);  // a Swiss face when Arial is missing
    font.setPixelSize(13);
    font.setWeight(QFont::Bold);
    font.setItalic(false);
    font.setUnderline(false);
    return font;
}

}  // namespace

CPositionPage::CPositionPage(CGnssReceiver* receiver, const QLocale& locale, QWidget* parent)
    : CStatusPage(resText(kStrPositionPage), receiver, parent), m_usUnits(usesUsUnits(locale)) {
    // Dialog units follow the page font, as a dialog template's would; the values move right
    // when a label (a translated one, say) would not fit in front of them.
    const QFontMetrics metrics(font());
    const auto px = [&](int dluX) { return dluX * metrics.averageCharWidth() / 4; };
    const auto py = [&](int dluY) { return dluY * metrics.height() / 8; };
    int labelWidth = px(kValueX - kLabelX);
    for (int id : kLabelIds)
        labelWidth = std::max(labelWidth,
                              metrics.horizontalAdvance(resText(id)) + metrics.averageCharWidth());
    const int valueX = px(kLabelX) + labelWidth;
    setMinimumSize(std::max(px(kPageWidth), valueX + px(kValueWidth)), py(kPageHeight));
    for (int row = 0; row < kRowCount; ++row) {
        const int y = py(kFirstRowY + row * kRowPitch);
        const int width = row == kTimeToFixed ? kLastValueWidth : kValueWidth;
        m_labels[row] = new QLabel(resText(kLabelIds[row]), this);
        m_labels[row]->setGeometry(px(kLabelX), y, labelWidth, py(kRowHeight));
        m_values[row] = new QLabel(this);
        m_values[row]->setGeometry(valueX, y, px(width), py(kRowHeight));
    }
}

void CPositionPage::onInitPage() {
    const QFont font = valueFont();
    for (QLabel* value : m_values)
        value->setFont(font);
    refreshNow();
    startRefreshing();
}

void CPositionPage::tick() {
    showRows(formatPosition(snapshot(), m_usUnits));
}

PositionSnapshot CPositionPage::snapshot() const {
    PositionSnapshot s;
    CGnssReceiver* const source = receiver();
    if (!source) return s;
    source->GetPosition(s.position);
    s.deviceClass = source->GetDeviceClass();
    if (float length = 0.0f; source->GetVectorLength(length)) s.baselineM = length;
    s.wtiSeconds = source->GetWti();
    return s;
}

void CPositionPage::showRows(const PositionRows& rows) {
    m_values[kLatitude]->setText(rows.latitude);
    m_values[kLongitude]->setText(rows.longitude);
    m_values[kAltitude]->setText(rows.altitude);
    m_values[kSatellites]->setText(rows.satellites);
    m_values[kPdop]->setText(rows.pdop);
    const std::pair<Row, const std::optional<QString>*> optionalTexts[] = {
        {kStatus, &rows.status}, {kAge, &rows.age},           {kHrms, &rows.hrms},
        {kVrms, &rows.vrms},     {kBaseline, &rows.baseline}, {kTimeToFixed, &rows.timeToFixed}};
    for (const auto& [row, text] : optionalTexts)
        if (text->has_value()) m_values[row]->setText(**text);

    setRowShown(kStatus, rows.showStatus);
    setRowShown(kAge, rows.showAge);
    setRowShown(kHrms, rows.showAccuracy);
    setRowShown(kVrms, rows.showAccuracy);
    setRowShown(kBaseline, rows.showAccuracy);
    setRowShown(kTimeToFixed, rows.showTimeToFixed);
}

void CPositionPage::setRowShown(Row row, bool shown) {
    m_labels[row]->setVisible(shown);
    m_values[row]->setVisible(shown);
}

void CPositionPage::showNoData() {
    showRows(PositionRows{});
}

}  // namespace quorrel
