#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <type_traits>
#include <utility>

#include "ui/kit/AppSettings.h"
#include "ui/kit/StringIds.h"
#include "ui/link/DiffLinkSheets.h"
#include "ui/link/DiffLinkValues.h"

namespace quorrel {

class CGnssReceiver;

// Runs a sequence of receiver operations and returns once it ended: on the receiver worker
// in the program, on the calling thread in tests.
using ReceiverRunner = std::function<void(const std::function<void(CGnssReceiver&)>&)>;

// The real-time differential page without its widgets: the link that is up, the selected
// row and the action button's caption, the values the main menu hands in and those the page
// keeps, and each row's action: its queries, its sheet, then its sequence. All of it runs on
// the caller's thread except the receiver sequences, which go through the runner.
class RealTimeDiffLogic {
public:
    RealTimeDiffLogic(ReceiverRunner run, DiffLinkSheets sheets);

    void setSheets(DiffLinkSheets sheets) { m_sheets = std::move(sheets); }
    // The fields the main menu hands in: the NTRIP and direct IP values, the external-receiver
    // flag and the network protocol.
    void setInput(const AppSettings& input);
    // Those fields as they are now and the three connection flags, for the main menu on OK.
    AppSettings output() const;

    // Page start: the link the modem reports selects its row and caption.
    void start();
    // The user selected `row`, kNoLinkRow for none; with none the caption stays.
    void select(int row);
    // The action button (or Enter) on the selected row; returns the message to show, if any.
    std::optional<QString> act();

    int selectedRow() const { return m_row; }
    StringId caption() const { return m_caption; }
    DiffConnection connection() const { return m_connection; }
    std::int32_t networkProtocol() const { return m_network.protocol; }
    bool isExternalReceiver() const { return m_externalReceiver; }
    const GsmValues& gsmValues() const { return m_gsm; }
    const NetworkValues& networkValues() const { return m_network; }

    // The action button's caption for `row` (not kNoLinkRow) while `connection` is up.
    static StringId captionFor(int row, DiffConnection connection);

private:
    std::optional<QString> actUhf();
    std::optional<QString> actGsm();
    std::optional<QString> dial();
    std::optional<QString> actNetwork();
    std::optional<QString> actOtherDevice();
    void setConnection(DiffConnection connection);
    static QString text(StringId id);

    // `sequence`'s result, or its default when the runner did not run it.
    template <typename F>
    auto onReceiver(F&& sequence) {
        using Result = std::invoke_result_t<F&, CGnssReceiver&>;
        std::optional<Result> result;
        m_run([&](CGnssReceiver& receiver) { result.emplace(sequence(receiver)); });
        return result ? std::move(*result) : Result{};
    }

    ReceiverRunner m_run;
    DiffLinkSheets m_sheets;
    bool m_externalReceiver = false;
    GsmValues m_gsm;
    NetworkValues m_network;
    DiffConnection m_connection = DiffConnection::None;
    int m_row = kUhfRow;
    StringId m_caption = kStrSettingsButton;
};

}  // namespace quorrel
