#include "receiver/link/SentenceDispatcher.h"

#include <array>
#include <iterator>

#include "receiver/link/SentenceParsers.h"

namespace quorrel {
namespace {

using Parser = bool (*)(ReceiverStatus&, const char*, std::size_t);

struct Route {
    SentenceType type;
    Parser parser;
    SentenceEvent event;
};

constexpr SentenceEvent kNone = SentenceEvent::None;
constexpr SentenceEvent kReply = SentenceEvent::Reply;

constexpr Route kRoutes[] = {
    {SentenceType::GGA, parseGga, kNone},
    {SentenceType::GLL, parseGll, kNone},
    {SentenceType::GSA, parseGsa, kNone},
    {SentenceType::GSV, parseGsv, kNone},
    {SentenceType::GST, parseGst, kNone},
    {SentenceType::VTG, parseVtg, kNone},
    {SentenceType::ZDA, parseZda, kNone},
    {SentenceType::VEC, parseVec, SentenceEvent::Epoch},
    {SentenceType::OBI, parseObi, kNone},
    {SentenceType::A2D, parseA2d, kNone},
    {SentenceType::REC, parseRec, kNone},
    {SentenceType::WTI, parseWti, kNone},
    {SentenceType::NTR, parseNtr, kReply},
    {SentenceType::MDM, parseMdm, kReply},
    {SentenceType::DIP, parseDip, kReply},
    {SentenceType::CPD, parseCpd, kReply},
    {SentenceType::RDP, parseRdp, kReply},
    {SentenceType::PRT, parsePrt, kReply},
    {SentenceType::BTH, parseBth, kReply},
    {SentenceType::NMO, parseNmo, kReply},
    {SentenceType::SBA, parseSba, kReply},
    {SentenceType::GLO, parseGlo, kReply},
    {SentenceType::GNS, parseGns, kReply},
    {SentenceType::PEM, parsePem, kReply},
    {SentenceType::ANH, parseAnh, kReply},
    {SentenceType::ANR, parseAnr, kReply},
    {SentenceType::ANP, parseAnp, kReply},
    {SentenceType::BAS, parseBas, kReply},
    {SentenceType::STI, parseSti, kReply},
    {SentenceType::DRI, parseDri, kReply},
    {SentenceType::ATL, parseAtl, kReply},
    {SentenceType::MEM, parseMem, kReply},
    {SentenceType::FIL, parseFil, kReply},
    {SentenceType::NPT, parseNpt, kReply},
    {SentenceType::VERSION, parseVersion, kReply},
};

constexpr std::size_t kTypeCount = static_cast<std::size_t>(SentenceType::UNKNOWN) + 1;
constexpr int kNoRoute = -1;

// The route of each type by its number, so a sentence finds its parser in one step.
constexpr std::array<int, kTypeCount> kRouteOfType = [] {
    std::array<int, kTypeCount> routes{};
    routes.fill(kNoRoute);
    for (std::size_t i = std::size(kRoutes); i-- > 0;)
        routes[static_cast<std::size_t>(kRoutes[i].type)] = int(i);
    return routes;
}();

}  // namespace

SentenceEvent dispatchSentence(ReceiverStatus& status, SentenceType type, const char* sentence,
                               std::size_t length) {
    if (type == SentenceType::ACK || type == SentenceType::NAK) {
        status.ack = type == SentenceType::ACK;
        return SentenceEvent::Reply;
    }
    const auto number = static_cast<std::size_t>(type);
    if (number >= kTypeCount || kRouteOfType[number] == kNoRoute) return SentenceEvent::None;
    const Route& route = kRoutes[kRouteOfType[number]];
    route.parser(status, sentence, length);
    return route.event;
}

}  // namespace quorrel
