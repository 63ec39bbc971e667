#include "ui/link/CNtripStationDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "ui/kit/Resources.h"
#include "ui/kit/StringIds.h"
#include "ui/link/CNtripStationDetailDialog.h"
#include "ui/link/StationTableModel.h"

namespace quorrel {
namespace {

constexpr int kColumnWidths[kStationColumnCount] = {80, 80, 60};
constexpr int kMinimumRowHeight = 18;

}  // namespace

CNtripStationDialog::CNtripStationDialog(const StationList& stations,
                                         const std::optional<ReferencePosition>& reference,
                                         const QLocale& locale, QWidget* parent)
    : QDialog(parent),
      m_stations(stations),
      m_model(new StationTableModel(this)),
      m_list(new QTableView(this)),
      m_reference(new QLabel(referenceLine(reference), this)),
      m_details(new QPushButton(resText(kStrDetailsButton), this)),
      m_detail(new CNtripStationDetailDialog(distanceUnitFor(locale), this)) {
    setWindowTitle(resText(kStrNtripStations));
    m_model->setRows(stationRows(stations, reference, distanceUnitFor(locale)));
    m_list->setObjectName(QStringLiteral("stationList"));
    m_list->setModel(m_model);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setShowGrid(true);
    m_list->verticalHeader()->hide();
    m_list->verticalHeader()->setMinimumSectionSize(kMinimumRowHeight);
    for (int column = 0; column < kStationColumnCount; ++column)
        m_list->setColumnWidth(column, kColumnWidths[column]);
    QHeaderView* header = m_list->horizontalHeader();
    header->setStretchLastSection(true);
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(true);
    connect(header, &QHeaderView::sectionClicked, this, &CNtripStationDialog::clickHeader);
    m_reference->setObjectName(QStringLiteral("referenceLine"));
    m_reference->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->addButton(m_details, QDialogButtonBox::ActionRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CNtripStationDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CNtripStationDialog::reject);
    connect(m_details, &QPushButton::clicked, this, &CNtripStationDialog::showDetails);
    connect(m_list, &QTableView::doubleClicked, this, &CNtripStationDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_reference);
    layout->addWidget(buttons);
    resize(320, 360);

    if (m_model->rowCount() > 0) {
        applySort();
        m_list->selectRow(0);
    }
}

CNtripStationDialog::~CNtripStationDialog() = default;

void CNtripStationDialog::clickHeader(int column) {
    m_sort = sortAfterClick(m_sort, column);
    applySort();
}

void CNtripStationDialog::applySort() {
    const Qt::SortOrder order = m_sort.ascending ? Qt::AscendingOrder : Qt::DescendingOrder;
    m_model->sort(m_sort.column, order);
    m_list->horizontalHeader()->setSortIndicator(m_sort.column, order);
    const QModelIndex current = m_list->currentIndex();
    if (current.isValid()) m_list->scrollTo(current);
}

const StationRow* CNtripStationDialog::selectedRow() const {
    const QModelIndexList selected = m_list->selectionModel()->selectedRows();
    return selected.isEmpty() ? nullptr : &m_model->row(selected.first().row());
}

void CNtripStationDialog::showDetails() {
    const StationRow* row = selectedRow();
    if (!row) return;
    StationRecord copy = m_stations.records()[std::size_t(row->order)];
    copy.workValue = double(row->distance);
    m_detail->setStation(copy);
    m_detail->exec();
}

void CNtripStationDialog::accept() {
    m_picked = {};
    if (const StationRow* row = selectedRow()) m_picked = pickStation(m_stations, *row);
    QDialog::accept();
}

}  // namespace quorrel
