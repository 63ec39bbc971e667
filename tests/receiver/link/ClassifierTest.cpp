#include <gtest/gtest.h>

#include <cstring>

#include "receiver/link/Classifier.h"

using namespace quorrel;

namespace {

struct Case {
    const char* legend;
    const char* sentence;
    SentenceType expected;
};

const Case kCases[] = {
    {"GPS fix", "$GPGGA,120000.00,4807.0380,N,01131.0000,E,1,08,0.9,545.4,M,46.9,M,,*47",
     SentenceType::GGA},
    {"GLL", "$GPGLL,4916.45,N,12311.12,W,225444,A", SentenceType::GLL},
    {"GSA of each talker", "$GLGSA,A,3,65,66", SentenceType::GSA},
    {"combined GSA", "$GNGSA,A,3,01,02", SentenceType::GSA},
    {"GLONASS GSV", "$GLGSV,1,1,01,65,10,100,30", SentenceType::GSV},
    {"GST of each talker", "$GNGST,1,2,3", SentenceType::GST},
    {"GL GST", "$GLGST,1,2,3", SentenceType::GST},
    {"ZDA", "$GPZDA,120000.00,06,01,1980,00,00", SentenceType::ZDA},
    {"VTG", "$GPVTG,0,T,,M,0,N,0,K,A", SentenceType::VTG},
    {"RMC is not handled", "$GPRMC,120000,A", SentenceType::UNKNOWN},
    {"Galileo talker is not handled", "$GAGSV,1,1,00", SentenceType::UNKNOWN},
    {"GLONASS ZDA is not handled", "$GLZDA,1", SentenceType::UNKNOWN},
    {"GNS with CFG", "$PQVXR,GNS,CFG,1", SentenceType::GNS},
    {"GNS with any code", "$PQVXR,GNS,XYZ,1", SentenceType::GNS},
    {"ANP with another code", "$PQVXR,ANP,OUT,X", SentenceType::ANP},
    {"FIL with another code", "$PQVXR,FIL,OLD,X", SentenceType::FIL},
    {"NTR table", "$PQVXR,NTR,TBL", SentenceType::NTR},
    {"NTR result", "$PQVXR,NTR,OK", SentenceType::NTR},
    {"ACK", "$PQVXR,ACK,PRT", SentenceType::ACK},
    {"NAK", "$PQVXR,NAK,PRT", SentenceType::NAK},
    {"VEC", "$PQVXR,VEC,3,0", SentenceType::VEC},
    {"NPT", "$PQVXR,NPT,1,0", SentenceType::NPT},
    {"unknown reply", "$PQVXR,XYZ,1", SentenceType::UNKNOWN},
    {"other proprietary talker", "$PSRF100,0", SentenceType::UNKNOWN},
    {"short head", "$GPG", SentenceType::UNKNOWN},
    {"not a sentence", "GPGGA,1", SentenceType::UNKNOWN},
};

}  // namespace

TEST(Classifier, MapsEveryHeadOfTheTable) {
    for (const Case& c : kCases)
        EXPECT_EQ(classifySentence(c.sentence, std::strlen(c.sentence)), c.expected) << c.legend;
}

TEST(Classifier, EveryReplyCodeHasItsType) {
    const std::pair<const char*, SentenceType> replies[] = {
        {"MDM", SentenceType::MDM}, {"DIP", SentenceType::DIP}, {"CPD", SentenceType::CPD},
        {"RDP", SentenceType::RDP}, {"PRT", SentenceType::PRT}, {"BTH", SentenceType::BTH},
        {"NMO", SentenceType::NMO}, {"OBI", SentenceType::OBI}, {"SBA", SentenceType::SBA},
        {"GLO", SentenceType::GLO}, {"PEM", SentenceType::PEM}, {"A2D", SentenceType::A2D},
        {"ANH", SentenceType::ANH}, {"ANR", SentenceType::ANR}, {"BAS", SentenceType::BAS},
        {"STI", SentenceType::STI}, {"DRI", SentenceType::DRI}, {"REC", SentenceType::REC},
        {"ATL", SentenceType::ATL}, {"MEM", SentenceType::MEM}, {"WTI", SentenceType::WTI},
    };
    for (const auto& [code, type] : replies) {
        const std::string sentence = std::string("$PQVXR,") + code + ",1";
        EXPECT_EQ(classifySentence(sentence.c_str(), sentence.size()), type) << code;
        EXPECT_STREQ(sentenceTypeName(type), code);
    }
}
