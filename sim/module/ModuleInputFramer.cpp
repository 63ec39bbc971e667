#include "sim/module/ModuleInputFramer.h"

#include "sim/module/ModuleFrame.h"

namespace quorrel {

std::vector<ModuleInputUnit> ModuleInputFramer::push(const std::uint8_t* bytes,
                                                     std::size_t length) {
    m_pending.insert(m_pending.end(), bytes, bytes + length);
    std::vector<ModuleInputUnit> units;
    std::size_t at = 0;
    while (at < m_pending.size()) {
        ModuleInputUnit unit;
        Scan scan = Scan::NotAUnit;
        if (m_pending[at] == '$')
            scan = scanLine(at, unit);
        else if (m_pending[at] == kModuleFrameHead[0])
            scan = scanFrame(at, unit);
        if (scan == Scan::NeedMore) break;
        if (scan == Scan::NotAUnit) {
            ++at;
            continue;
        }
        at += unit.binary ? unit.bytes.size() + 8 : unit.bytes.size();
        units.push_back(std::move(unit));
    }
    m_pending.erase(m_pending.begin(), m_pending.begin() + std::ptrdiff_t(at));
    return units;
}

bool ModuleInputFramer::isFrameHead(std::size_t at) const {
    return at + 1 < m_pending.size() && m_pending[at] == kModuleFrameHead[0] &&
           m_pending[at + 1] == kModuleFrameHead[1];
}

ModuleInputFramer::Scan ModuleInputFramer::scanLine(std::size_t at, ModuleInputUnit& unit) const {
    for (std::size_t end = at + 1; end < m_pending.size(); ++end) {
        if (end - at >= kLineLimit) return Scan::NotAUnit;
        const std::uint8_t c = m_pending[end];
        if (c == '$' || isFrameHead(end)) return Scan::NotAUnit;
        if (c != '\n') continue;
        unit.binary = false;
        unit.bytes.assign(m_pending.begin() + std::ptrdiff_t(at),
                          m_pending.begin() + std::ptrdiff_t(end + 1));
        return Scan::Unit;
    }
    return Scan::NeedMore;
}

ModuleInputFramer::Scan ModuleInputFramer::scanFrame(std::size_t at, ModuleInputUnit& unit) const {
    const std::size_t available = m_pending.size() - at;
    if (available < 4) {
        // A head byte may still be followed by a head; anything else settles it now.
        const bool headSoFar = available < 2 || m_pending[at + 1] == kModuleFrameHead[1];
        return headSoFar ? Scan::NeedMore : Scan::NotAUnit;
    }
    if (!isFrameHead(at)) return Scan::NotAUnit;
    const std::uint8_t* p = m_pending.data() + at;
    const std::size_t length = std::size_t(p[2]) << 8 | p[3];
    if (length == 0 || length > kModulePayloadLimit) return Scan::NotAUnit;
    if (available < length + 8) return Scan::NeedMore;
    const std::uint8_t* payload = p + 4;
    const std::uint8_t* trailer = payload + length;
    const std::uint16_t sum = std::uint16_t(trailer[0] << 8 | trailer[1]);
    if (sum != moduleChecksum(payload, length) || trailer[2] != kModuleFrameTail[0] ||
        trailer[3] != kModuleFrameTail[1])
        return Scan::NotAUnit;
    unit.binary = true;
    unit.bytes.assign(payload, payload + length);
    return Scan::Unit;
}

}  // namespace quorrel
