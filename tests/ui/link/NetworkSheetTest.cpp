// The real network sheet and station browser offscreen, on the simulated board and a
// loopback caster, every receiver sequence on the receiver worker. With
// QUORREL_SCREENSHOT_DIR set they also draw the pictures in docs/screenshots.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

#include "HubTestSupport.h"
#include "support/ModalWindows.h"
#include "support/ScreenRig.h"
#include "support/Screenshots.h"
#include "ui/kit/WaitingNote.h"
#include "ui/link/CDiffModeSheet.h"
#include "ui/link/CDirectIpSettingsPage.h"
#include "ui/link/CGprsModePage.h"
#include "ui/link/CGprsSettingsPage.h"
#include "ui/link/CNetworkConfigSheet.h"
#include "ui/link/CNtripSettingsPage.h"
#include "ui/link/CNtripStationDetailDialog.h"
#include "ui/link/CNtripStationDialog.h"
#include "ui/link/CRealTimeDiffPage.h"
#include "ui/link/StationTableModel.h"

using namespace quorrel;
using namespace quorrel::test;

namespace {

// Two stations near the board, one that wants the rover's position (NMEA 1), one that does not.
const char kTable[] =
    "STR;NEAR;Garching;RTCM 3.2;1005(10);2;GPS+GLO;QNET;DEU;48.26;11.67;1;0;sim;none;B;N;"
    "9600;\r\n"
    "STR;FAR;Berlin;RTCM 3.2;1005(10);1;GPS;QNET;DEU;52.52;13.40;0;1;sim;none;B;N;9600;\r\n";
const char kRestoreLine[] = "$PQVXS,NTR,PAR,ADD,prev.example,PRT,2101,LGN,me,PWD,secret,TYP,0";

void press(QDialog& dialog, QDialogButtonBox::StandardButton which) {
    dialog.findChild<QDialogButtonBox*>()->button(which)->click();
}

QStringList pageTitles(const CPropertySheet& sheet) {
    QStringList titles;
    for (int i = 0; i < sheet.pageCount(); ++i)
        titles << sheet.page(i)->title();
    return titles;
}

QStringList stationColumn(const CNtripStationDialog& dialog) {
    QStringList texts;
    for (int row = 0; row < dialog.model()->rowCount(); ++row)
        texts << dialog.model()->row(row).mountPoint;
    return texts;
}

void clickHeader(QTableView& list, int column) {
    QHeaderView* header = list.horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
}

void selectStation(CNtripStationDialog& dialog, const QString& mountPoint) {
    for (int row = 0; row < dialog.model()->rowCount(); ++row)
        if (dialog.model()->row(row).mountPoint == mountPoint) dialog.list()->selectRow(row);
}

class NetworkSheetTest : public ::testing::Test {
protected:
    NetworkSheetTest() {
        hub.caster.setSourceTableLines(kTable);
        if (opened)
            opened =
                hub.link.receiver->SetNtripParameters(u"prev.example", 2101, u"me", u"secret", 0);
        rig = std::make_unique<ScreenRig>(*hub.link.receiver);
    }
    void open(std::int32_t protocol, bool external) {
        hub.link.board.clearLog();
        sheet = std::make_unique<CNetworkConfigSheet>(rig->context(), protocol, external,
                                                      QStringLiteral("Network Settings"), nullptr,
                                                      histories.path());
        NetworkValues values;
        values.ntripAddress = QStringLiteral("127.0.0.1");
        values.ntripPort = hub.caster.port();
        values.gprsAccessPoint = QStringLiteral("internet");
        sheet->setValues(values);
        sheet->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(sheet.get()));
    }
    CNtripSettingsPage& ntrip() {
        sheet->setActivePage(sheet->ntripPage());
        return *sheet->ntripPage();
    }
    Sentences ntripLines() const { return hub.link.received("$PQVXS,NTR"); }

    HubBoard hub;
    bool opened = hub.link.open();
    QTemporaryDir histories;
    std::unique_ptr<ScreenRig> rig;  // after the board: it goes first
    std::unique_ptr<CNetworkConfigSheet> sheet;
};

}  // namespace

TEST_F(NetworkSheetTest, PagesFollowTheExternalFlagAndTheModeExchangesTheThird) {
    ASSERT_TRUE(opened);
    const struct {
        std::int32_t protocol;
        bool external;
        QStringList titles;
    } cases[] = {
        {kProtocolDirectIp, false, {"Mode", "Direct IP"}},
        {kProtocolNtrip, false, {"Mode", "NTRIP"}},
        {kProtocolNtrip, true, {"Mode", "GPRS", "NTRIP"}},
    };
    for (const auto& c : cases) {
        open(c.protocol, c.external);
        EXPECT_EQ(pageTitles(*sheet), c.titles);
        EXPECT_EQ(sheet->modePage()->ntripButton()->isChecked(), c.protocol == kProtocolNtrip);
    }
    saveScreenshot(*sheet, "network-mode");
    CNtripSettingsPage* before = sheet->ntripPage();
    sheet->modePage()->ntripButton()->click();
    EXPECT_EQ(sheet->ntripPage(), before) << "the mode already shown changes nothing";
    sheet->modePage()->directIpButton()->click();
    EXPECT_EQ(pageTitles(*sheet), QStringList({"Mode", "GPRS", "Direct IP"}));
    sheet->setActivePage(sheet->directIpPage());
    saveScreenshot(*sheet, "network-direct-ip");
    sheet->modePage()->ntripButton()->click();
    EXPECT_EQ(pageTitles(*sheet), QStringList({"Mode", "GPRS", "NTRIP"}));
    press(*sheet, QDialogButtonBox::Ok);
    EXPECT_EQ(sheet->values().protocol, kProtocolNtrip);
    EXPECT_TRUE(hub.link.received().empty()) << "the sheet itself sends nothing";
}

TEST_F(NetworkSheetTest, SendPosToNetIsReadAsExactlyOneAndWrittenBackHoweverTheSheetEnds) {
    ASSERT_TRUE(opened);
    const struct {
        std::uint32_t stored;
        bool ok;
        std::uint32_t written;
    } cases[] = {{1, false, 1}, {7, false, 0}, {0, true, 1}};
    for (const auto& c : cases) {
        rig->settings.writeDword(QStringLiteral("SendPosToNet"), c.stored);
        open(kProtocolNtrip, false);
        QCheckBox* box = ntrip().sendPositionBox();
        EXPECT_EQ(box->isChecked(), c.stored == 1);
        if (c.ok) {
            box->setChecked(true);
            press(*sheet, QDialogButtonBox::Ok);
        } else {
            box->setChecked(!box->isChecked());  // lost with the cancel
            press(*sheet, QDialogButtonBox::Cancel);
        }
        sheet.reset();
        EXPECT_EQ(rig->settings.readDword(QStringLiteral("SendPosToNet"), 99), c.written)
            << c.stored;
    }
}

TEST_F(NetworkSheetTest, OkHandsBackTheFieldsAndRemembersEachPagesEntry) {
    ASSERT_TRUE(opened);
    open(kProtocolNtrip, true);
    sheet->setActivePage(sheet->gprsPage());
    sheet->gprsPage()->pinField()->setText(QStringLiteral("4711"));
    sheet->gprsPage()->loginField()->setText(QStringLiteral("web"));
    saveScreenshot(*sheet, "network-gprs");
    CNtripSettingsPage& page = ntrip();
    page.portField()->setText(QStringLiteral("99999"));
    page.loginField()->setText(QStringLiteral("user"));
    page.stationField()->setText(QStringLiteral("NEAR"));
    press(*sheet, QDialogButtonBox::Ok);
    const NetworkValues values = sheet->values();
    EXPECT_EQ(values.ntripPort, 0) << "a port beyond 65535 counts as 0";
    EXPECT_EQ(values.ntripMountPoint, "NEAR");
    EXPECT_EQ(values.gprsPin, "4711");
    sheet.reset();

    open(kProtocolNtrip, true);
    QComboBox* host = ntrip().hostList();
    ASSERT_EQ(host->findText(QStringLiteral("127.0.0.1")), 0);
    host->setCurrentIndex(0);
    emit host->textActivated(host->currentText());
    EXPECT_EQ(ntrip().loginField()->text(), "user") << "filled from the history";
    EXPECT_EQ(ntrip().stationField()->text(), "NEAR");
    EXPECT_EQ(sheet->gprsPage()->accessPointList()->findText(QStringLiteral("internet")), 0);
}

TEST_F(NetworkSheetTest, BrowsePicksAStationAndPutsTheReceiversCasterBack) {
    ASSERT_TRUE(opened);
    ASSERT_TRUE(pollFor([this] {
        PositionRecord position;
        return hub.link.receiver->GetPosition(position) && position.solutionType != 0;
    })) << "the distances need the receiver's position";
    open(kProtocolNtrip, false);
    CNtripSettingsPage& page = ntrip();
    saveScreenshot(*sheet, "network-ntrip");
    const struct {
        const char* station;
        bool nmea;
    } picks[] = {{"NEAR", true}, {"FAR", false}};
    for (const auto& pick : picks) {
        hub.link.board.clearLog();
        QString reference;
        QStringList listed;
        whenModal<CNtripStationDialog>([&](CNtripStationDialog& dialog) {
            reference = dialog.referenceLabel()->text();
            listed = stationColumn(dialog);
            selectStation(dialog, pick.station);
            if (pick.nmea) {
                saveScreenshot(dialog, "ntrip-stations");
                whenModal<CNtripStationDetailDialog>([](CNtripStationDetailDialog& details) {
                    saveScreenshot(details, "ntrip-station-details");
                    details.accept();
                });
                dialog.detailsButton()->click();
                EXPECT_EQ(dialog.detailDialog()->list()->item(0, 1)->text(), "NEAR");
                EXPECT_EQ(dialog.detailDialog()->list()->item(2, 1)->text(), "15 km");
            }
            press(dialog, QDialogButtonBox::Ok);
        });
        page.browseButton()->click();
        EXPECT_EQ(listed, QStringList({"FAR", "NEAR"})) << "sorted by station";
        EXPECT_TRUE(reference.contains("48.1")) << reference.toStdString();
        EXPECT_EQ(page.stationField()->text(), pick.station);
        EXPECT_EQ(page.sendPositionBox()->isChecked(), pick.nmea);
        const Sentences sent = ntripLines();
        ASSERT_FALSE(sent.empty());
        EXPECT_EQ(sent.back(), kRestoreLine) << "the receiver's own caster again";
        EXPECT_EQ(hub.link.received().front(), "$PQVXS,MDM,PAR,PTC,1,IPT,0,ADL,N");
    }
    EXPECT_TRUE(rig->prompts.texts().isEmpty());
}

TEST_F(NetworkSheetTest, BrowseWithoutHostOrPortOnlyPreparesTheModem) {
    ASSERT_TRUE(opened);
    open(kProtocolNtrip, false);
    CNtripSettingsPage& page = ntrip();
    for (const auto& [host, port] : {std::pair{"", "2101"}, std::pair{"127.0.0.1", "0"}}) {
        hub.link.board.clearLog();
        page.hostList()->setEditText(host);
        page.portField()->setText(port);
        page.browseButton()->click();
        EXPECT_TRUE(ntripLines().empty()) << host << ":" << port;
        EXPECT_EQ(hub.link.received("$PQVXS,MDM,PAR,PTC").size(), 1u);
    }
    EXPECT_TRUE(rig->prompts.texts().isEmpty());
}

TEST_F(NetworkSheetTest, ACasterThatRefusesIsReportedAndTheCasterSettingsStillRestored) {
    ASSERT_TRUE(opened);
    open(kProtocolNtrip, false);
    hub.caster.stop();
    ntrip().browseButton()->click();
    EXPECT_EQ(rig->prompts.texts(),
              QStringList({"Unable to load the source table from the NTRIP caster!"}));
    EXPECT_EQ(ntripLines().back(), kRestoreLine);
    EXPECT_TRUE(ntrip().stationField()->text().isEmpty());
}

TEST(NtripStationDialogTest, HeaderClicksSortEveryColumnAndKeepTheSelection) {
    StationList stations;
    parseSourceTable((std::string("SOURCETABLE 200 OK\r\n") + stationLines(250, 47.0, 10.0) +
                      "ENDSOURCETABLE\r\n")
                         .c_str(),
                     stations);
    const ReferencePosition reference{48.137154, 11.576124};
    CNtripStationDialog dialog(stations, reference, QLocale(QLocale::English, QLocale::Germany));
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    ASSERT_EQ(dialog.model()->rowCount(), 250);
    EXPECT_EQ(stationColumn(dialog).front(), "MP0000");
    selectStation(dialog, QStringLiteral("MP0123"));

    clickHeader(*dialog.list(), kDistanceColumn);
    std::vector<long> distances;
    for (int row = 0; row < dialog.model()->rowCount(); ++row)
        distances.push_back(dialog.model()->row(row).distance);
    EXPECT_TRUE(std::is_sorted(distances.begin(), distances.end()));
    EXPECT_GT(distances.back(), 100) << "numbers, not texts, in order";
    clickHeader(*dialog.list(), kDistanceColumn);
    EXPECT_EQ(dialog.model()->row(0).distance, distances.back()) << "second click: descending";
    EXPECT_EQ(dialog.list()->horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
    clickHeader(*dialog.list(), kNameColumn);
    EXPECT_EQ(dialog.model()->row(0).identifier, "Station 0");

    press(dialog, QDialogButtonBox::Ok);
    EXPECT_EQ(dialog.resultMountPoint(), "MP0123") << "the selection followed the station";
    EXPECT_EQ(dialog.resultNmea(), 1);
}

TEST(NtripStationDialogTest, MilesUnderTheUsLocaleAndNoPositionShowsZero) {
    StationList stations;
    stations.add(parseStreamLine("STR;NEAR;Garching;RTCM;;2;GPS;N;DEU;48.26;11.67;1;0"));
    const ReferencePosition reference{48.137154, 11.576124};
    CNtripStationDialog miles(stations, reference,
                              QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(miles.model()->row(0).distanceText, "   10 mi");
    CNtripStationDialog none(stations, std::nullopt);
    EXPECT_EQ(none.model()->row(0).distanceText, "    0 km");
    EXPECT_EQ(none.referenceLabel()->text(),
              "The receiver has no position yet: every distance shows as 0.");
    none.list()->clearSelection();
    none.accept();
    EXPECT_TRUE(none.resultMountPoint().isEmpty()) << "OK without a selection picks nothing";
}

// A new user on the simulator: the hub gets the local caster the run script started as its
// input, and the sheet's OK, without any typing, brings the board to FIXED.
TEST_F(NetworkSheetTest, HubNetworkRowOpensTheSheetAndTheOfferedCasterBringsFixed) {
    ASSERT_TRUE(opened);
    hub.caster.addMount({"QRL1", false, "", ""});
    CDiffModeSheet hubSheet(rig->context());
    AppSettings input;
    input.ntripAddress = QStringLiteral("127.0.0.1");
    input.ntripPort = hub.caster.port();
    input.ntripMountPoint = QStringLiteral("QRL1");
    input.networkProtocol = kProtocolNtrip;
    hubSheet.diffPage()->setInput(input);
    hubSheet.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&hubSheet));
    CRealTimeDiffPage& page = *hubSheet.diffPage();
    page.linkList()->setCurrentRow(kNetworkRow);
    QString title, station;
    whenModal<CNetworkConfigSheet>([&](CNetworkConfigSheet& network) {
        title = network.windowTitle();
        network.setActivePage(network.ntripPage());
        station = network.ntripPage()->stationField()->text();
        press(network, QDialogButtonBox::Ok);
    });
    page.actionButton()->click();
    EXPECT_EQ(title, "Network Settings");
    EXPECT_EQ(station, "QRL1");
    EXPECT_TRUE(rig->prompts.texts().isEmpty()) << rig->prompts.texts().join('|').toStdString();
    EXPECT_EQ(page.actionButton()->text(), "Disconnect");
    EXPECT_EQ(page.output().connectNtrip, 1);
    EXPECT_TRUE(pollFor([&] { return hub.link.board.status().solution == SolutionKind::Fixed; }))
        << "solution " << static_cast<int>(hub.link.board.status().solution);
}

// A table that takes seconds at 57600 baud: the waiting note counts it in, the window
// keeps painting, and the whole table arrives.
TEST(NetworkSheetPacedTest, TheWaitingNoteCountsTheTableInWhileTheWindowPaints) {
    BoardConfig config = quickBoard();
    config.lineRatePacing = true;
    HubBoard hub(config);
    ASSERT_TRUE(hub.link.open());
    hub.caster.setSourceTableLines(stationLines(150, 48.0, 11.0));
    ScreenRig rig(*hub.link.receiver);
    QStringList notes;
    QObject::connect(&rig.worker, &ReceiverWorker::progressChanged,
                     [&notes](const QString& text) { notes << text; });
    int ticks = 0;
    QTimer paint;
    QObject::connect(&paint, &QTimer::timeout, [&ticks] { ++ticks; });
    paint.start(50);
    QTemporaryDir histories;
    CNetworkConfigSheet sheet(rig.context(), kProtocolNtrip, false,
                              QStringLiteral("Network Settings"), nullptr, histories.path());
    NetworkValues values;
    values.ntripAddress = QStringLiteral("127.0.0.1");
    values.ntripPort = hub.caster.port();
    sheet.setValues(values);
    sheet.show();
    sheet.setActivePage(sheet.ntripPage());
    int listed = 0;
    whenModal<CNtripStationDialog>([&listed](CNtripStationDialog& dialog) {
        listed = dialog.model()->rowCount();
        dialog.reject();
    });
    QTimer::singleShot(2500, [] {
        if (auto* note = qobject_cast<WaitingNote*>(QApplication::activeModalWidget()))
            saveScreenshot(*note, "source-table-waiting");
    });
    sheet.ntripPage()->browseButton()->click();
    EXPECT_EQ(listed, 150);
    ASSERT_GE(notes.size(), 3) << notes.join('|').toStdString();
    EXPECT_TRUE(notes.last().endsWith(" stations received")) << notes.last().toStdString();
    EXPECT_GT(ticks, 20) << "the window went on while the table came";
}
