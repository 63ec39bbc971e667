#include "receiver/link/ReceiverStatus.h"

#include <algorithm>

namespace quorrel {

void ReceiverStatus::setUsedList(const UsedList& list) {
    m_usedList = list;
    m_usedBits.fill(0);
    for (const std::int32_t prn : list)
        if (prn > 0 && prn < kUsedBits) m_usedBits[std::size_t(prn) / 64] |= 1ull << (prn % 64);
}

bool ReceiverStatus::isInUsedList(std::int32_t prn) const {
    return std::find(m_usedList.begin(), m_usedList.end(), prn) != m_usedList.end();
}

void ReceiverStatus::publishPosition() {
    m_position.set(m_working);
}

void ReceiverStatus::publishSatellites() {
    std::int32_t count = 0;
    while (count < kSatelliteSlots && m_workingSatellites[count].prn != 0)
        ++count;
    m_satellites.update([&](PublishedSatellites& published) {
        published.table = m_workingSatellites;
        published.count = count;
    });
}

int ReceiverStatus::satellites(SatelliteTable& table) const {
    return m_satellites.read([&](const PublishedSatellites& published) {
        table = published.table;
        return int(published.count);
    });
}

bool ReceiverStatus::currentFileName(std::string& name) const {
    return fileName.read([&](const std::string& current) {
        if (current.empty() || current == "NONE") return false;
        name = current;
        return true;
    });
}

void ReceiverStatus::clearTransactionFlags() {
    ack.store(false);
    operationDone.store(false);
    m_resultPending.store(false);
    m_awaitedResult.store(ResultSource::None);
    for (std::size_t i = 0; i < m_received.size(); ++i) {
        const auto kind = static_cast<ReplyKind>(i);
        if (kind == ReplyKind::Anp || kind == ReplyKind::Npt) continue;
        m_received[i].store(false);
    }
}

}  // namespace quorrel
