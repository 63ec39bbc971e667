#include "receiver/link/Classifier.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>
#include <string>

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

// The characters a head is compared on: 10 for "$P", 6 for "$G", none for anything else.
constexpr std::size_t comparedLength(char kind) {
    return kind == 'P' ? 10 : kind == 'G' ? 6 : 0;
}

// The compared characters after "$P" or "$G" as one number (character 2 + i in byte i); at
// most 8 of them, and a "$P" head has exactly 8.
constexpr std::uint64_t packHead(const char* head, std::size_t compared) {
    std::uint64_t key = 0;
    for (std::size_t i = 2; i < compared; ++i)
        key |= std::uint64_t(std::uint8_t(head[i])) << (8 * (i - 2));
    return key;
}

// The table as two open-addressing hash sets, one per head kind, built at compile time. A
// key is entered only by the first row that has it, so the first matching row still wins.
struct Slot {
    std::uint64_t key = 0;
    SentenceType type = SentenceType::UNKNOWN;
    bool used = false;
};
constexpr std::size_t kSlots = 128;
using Slots = std::array<Slot, kSlots>;
struct HeadIndex {
    Slots p{};
    Slots g{};
};

constexpr std::size_t slotOf(std::uint64_t key) {
    return std::size_t((key * 0x9E3779B97F4A7C15u) >> 57);  // top 7 bits: 0 … 127
}

constexpr bool rowIsComparable(const Row& row) {
    const std::size_t compared = comparedLength(row.head[1]);
    return row.head[0] == '$' && compared != 0 &&
           std::char_traits<char>::length(row.head) >= compared;
}

constexpr HeadIndex buildIndex() {
    HeadIndex index;
    for (const Row& row : kTable) {
        Slots& slots = row.head[1] == 'P' ? index.p : index.g;
        const std::uint64_t key = packHead(row.head, comparedLength(row.head[1]));
        std::size_t i = slotOf(key);
        while (slots[i].used && slots[i].key != key)
            i = (i + 1) % kSlots;
        if (!slots[i].used) slots[i] = Slot{key, row.type, true};
    }
    return index;
}

static_assert(std::all_of(std::begin(kTable), std::end(kTable), rowIsComparable),
              "every row is compared on all of its first 6 or 10 characters");
constexpr HeadIndex kIndex = buildIndex();

SentenceType lookUp(const Slots& slots, std::uint64_t key) {
    for (std::size_t i = slotOf(key); slots[i].used; i = (i + 1) % kSlots)
        if (slots[i].key == key) return slots[i].type;
    return SentenceType::UNKNOWN;
}

}  // namespace

SentenceType classifySentence(const char* sentence, std::size_t length) {
    if (length < 2 || sentence[0] != '$') return SentenceType::UNKNOWN;
    const std::size_t compared = comparedLength(sentence[1]);
    if (compared == 0 || length < compared) return SentenceType::UNKNOWN;
    if (sentence[1] == 'P') return lookUp(kIndex.p, packHead(sentence, 10));
    return lookUp(kIndex.g, packHead(sentence, 6));
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
