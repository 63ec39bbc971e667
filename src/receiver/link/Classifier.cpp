#include "receiver/link/Classifier.h"

#include <cstring>

namespace quorrel {
namespace {

struct Row {
    const char* head;
    SentenceType type;
};

// Order matters: the first row that matches wins. Rows longer than the compared length
// (GNS,CFG, ANP,OWN, FIL,CUR) match every sentence sharing their first 10 characters.
constexpr Row kTable[] = {
    {"$GPGGA", SentenceType::GGA},         {"$GPGLL", SentenceType::GLL},
    {"$GPGSA", SentenceType::GSA},         {"$GLGSA", SentenceType::GSA},
    {"$GNGSA", SentenceType::GSA},         {"$GPGSV", SentenceType::GSV},
    {"$GLGSV", SentenceType::GSV},         {"$GNGST", SentenceType::GST},
    {"$GPGST", SentenceType::GST},         {"$GLGST", SentenceType::GST},
    {"$GPZDA", SentenceType::ZDA},         {"$PQVXR,NTR", SentenceType::NTR},
    {"$PQVXR,MDM", SentenceType::MDM},     {"$PQVXR,DIP", SentenceType::DIP},
    {"$PQVXR,CPD", SentenceType::CPD},     {"$PQVXR,RDP", SentenceType::RDP},
    {"$PQVXR,PRT", SentenceType::PRT},     {"$PQVXR,BTH", SentenceType::BTH},
    {"$PQVXR,NMO", SentenceType::NMO},     {"$PQVXR,OBI", SentenceType::OBI},
    {"$PQVXR,SBA", SentenceType::SBA},     {"$PQVXR,GLO", SentenceType::GLO},
    {"$PQVXR,GNS,CFG", SentenceType::GNS}, {"$PQVXR,PEM", SentenceType::PEM},
    {"$PQVXR,A2D", SentenceType::A2D},     {"$PQVXR,ANH", SentenceType::ANH},
    {"$PQVXR,ANR", SentenceType::ANR},     {"$PQVXR,ANP,OWN", SentenceType::ANP},
    {"$PQVXR,BAS", SentenceType::BAS},     {"$PQVXR,STI", SentenceType::STI},
    {"$PQVXR,DRI", SentenceType::DRI},     {"$PQVXR,REC", SentenceType::REC},
    {"$PQVXR,ATL", SentenceType::ATL},     {"$PQVXR,MEM", SentenceType::MEM},
    {"$PQVXR,WTI", SentenceType::WTI},     {"$PQVXR,VEC", SentenceType::VEC},
    {"$GPVTG", SentenceType::VTG},         {"$PQVXR,FIL,CUR", SentenceType::FIL},
    {"$PQVXR,NPT", SentenceType::NPT},     {"$PQVXR,ACK", SentenceType::ACK},
    {"$PQVXR,NAK", SentenceType::NAK},
};

}  // namespace

SentenceType classifySentence(const char* sentence, std::size_t length) {
    if (length < 2 || sentence[0] != '$') return SentenceType::UNKNOWN;
    std::size_t compared;
    if (sentence[1] == 'P')
        compared = 10;
    else if (sentence[1] == 'G')
        compared = 6;
    else
        return SentenceType::UNKNOWN;
    if (length < compared) return SentenceType::UNKNOWN;
    for (const Row& row : kTable)
        if (std::strncmp(row.head, sentence, compared) == 0) return row.type;
    return SentenceType::UNKNOWN;
}

const char* sentenceTypeName(SentenceType type) {
    static constexpr const char* kNames[] = {
        "GGA", "GLL", "GSA", "GSV", "GST", "ZDA", "NTR",     "MDM",     "DIP", "CPD",
        "RDP", "PRT", "BTH", "NMO", "OBI", "SBA", "GLO",     "GNS",     "PEM", "A2D",
        "ANH", "ANR", "ANP", "BAS", "STI", "DRI", "REC",     "ATL",     "MEM", "WTI",
        "VEC", "VTG", "FIL", "NPT", "ACK", "NAK", "VERSION", "UNKNOWN",
    };
    return kNames[static_cast<int>(type)];
}

}  // namespace quorrel
