#pragma once

namespace quorrel {

// What the classifier makes of a sentence head; the session dispatches on it.
enum class SentenceType {
    GGA,
    GLL,
    GSA,
    GSV,
    GST,
    ZDA,
    NTR,
    MDM,
    DIP,
    CPD,
    RDP,
    PRT,
    BTH,
    NMO,
    OBI,
    SBA,
    GLO,
    GNS,
    PEM,
    A2D,
    ANH,
    ANR,
    ANP,
    BAS,
    STI,
    DRI,
    REC,
    ATL,
    MEM,
    WTI,
    VEC,
    VTG,
    FIL,
    NPT,
    ACK,
    NAK,
    VERSION,
    UNKNOWN,
};

const char* sentenceTypeName(SentenceType type);

}  // namespace quorrel
