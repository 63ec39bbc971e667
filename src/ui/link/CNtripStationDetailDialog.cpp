#include "ui/link/CNtripStationDetailDialog.h"

#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

#include "receiver/StationList.h"
#include "ui/kit/Resources.h"
#include "ui/kit/StringIds.h"

namespace quorrel {
namespace {

constexpr int kColumnWidth = 90;
constexpr int kMinimumRowHeight = 18;

}  // namespace

CNtripStationDetailDialog::CNtripStationDetailDialog(DistanceUnit unit, QWidget* parent)
    : QDialog(parent), m_unit(unit), m_list(new QTableWidget(0, 2, this)) {
    setWindowTitle(resText(kStrNtripStationDetails));
    m_list->setObjectName(QStringLiteral("detailList"));
    m_list->setHorizontalHeaderLabels({resText(kStrName), resText(kStrValue)});
    m_list->setColumnWidth(0, kColumnWidth);
    m_list->horizontalHeader()->setStretchLastSection(true);
    m_list->horizontalHeader()->setSectionsClickable(false);
    m_list->setSortingEnabled(false);
    m_list->verticalHeader()->hide();
    m_list->verticalHeader()->setMinimumSectionSize(kMinimumRowHeight);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);
    resize(2 * kColumnWidth + 80, 280);
}

void CNtripStationDetailDialog::setStation(const StationRecord& station) {
    const auto rows = stationDetails(station, m_unit);
    m_list->setRowCount(int(rows.size()));
    for (int i = 0; i < int(rows.size()); ++i) {
        m_list->setItem(i, 0, new QTableWidgetItem(rows[std::size_t(i)].first));
        m_list->setItem(i, 1, new QTableWidgetItem(rows[std::size_t(i)].second));
    }
}

}  // namespace quorrel
