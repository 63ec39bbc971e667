#include "ui/link/UhfRadioLists.h"

#include <algorithm>

#include "receiver/ReceiverTypes.h"
#include "ui/kit/Resources.h"
#include "ui/kit/StringIds.h"

namespace quorrel {
namespace {

constexpr int kTypeTexts[] = {
    kStrPacificCrestPdl,   kStrPacificCrestAdl,    kStrCorvalen, kStrOstrel,
    kStrLicenseFreeEurope, kStrLicenseFreeAmerica, kStrNone};
constexpr int kTypeCount = static_cast<int>(std::size(kTypeTexts));

constexpr int kProtocolNotUsed = 0;
constexpr int kProtocolTransparent = 1;
constexpr int kProtocolTrimtalk = 2;
constexpr int kProtocolKtrx = 3;
constexpr int kProtocolSatel = 4;

// Baud rows of 9600 and 38400.
constexpr int kBaud9600Row = 5;
constexpr int kBaud38400Row = 7;

QString speedText(int code) {
    static const char* const texts[] = {"4800", "7600", "8000", "9600", "16000", "19200"};
    return QString::fromLatin1(texts[code]);
}

QString protocolText(int code) {
    switch (code) {
        case kProtocolNotUsed:
            return resText(kStrNotUsed);
        case kProtocolTransparent:
            return resText(kStrTransparent);
        case kProtocolTrimtalk:
            return QStringLiteral("TRIMTALK");
        case kProtocolKtrx:
            return QStringLiteral("KTRX");
        default:
            return QStringLiteral("SATEL");
    }
}

}  // namespace

QStringList UhfRadioLists::typeRows(bool withCorvalen) {
    QStringList rows;
    for (int type = 0; type < kTypeCount; ++type)
        if (withCorvalen || type != kRadioCvl) rows << resText(kTypeTexts[type]);
    return rows;
}

int UhfRadioLists::typeOfRow(int row, bool withCorvalen) {
    if (row < 0) return -1;
    const int type = !withCorvalen && row >= kRadioCvl ? row + 1 : row;
    return type < kTypeCount ? type : -1;
}

int UhfRadioLists::rowOfType(int type, bool withCorvalen) {
    if (type < 0 || type >= kTypeCount || (!withCorvalen && type == kRadioCvl)) return -1;
    return !withCorvalen && type > kRadioCvl ? type - 1 : type;
}

int UhfRadioLists::baudRowForType(int type) {
    if (type == kRadioNone) return -1;
    return type == kRadioLfe || type == kRadioLfa ? kBaud9600Row : kBaud38400Row;
}

bool UhfRadioLists::hasAirLink(int type) {
    return type == kRadioPdl || type == kRadioAdl || type == kRadioMdl;
}

std::vector<int> UhfRadioLists::speedCodes(int type, int protocolCode) {
    switch (type) {
        case kRadioPdl:
            return {0, 3, 5};
        case kRadioAdl:
            return {0, 2, 3, 4, 5};
        case kRadioMdl:
            if (protocolCode == kProtocolKtrx) return {0};
            return {0, 1, 3};
        default:
            return {};
    }
}

QStringList UhfRadioLists::speedItems(int type, int protocolCode) {
    QStringList items;
    for (const int code : speedCodes(type, protocolCode))
        items << speedText(code);
    return items;
}

std::vector<int> UhfRadioLists::protocolCodes(int type) {
    switch (type) {
        case kRadioPdl:
            return {kProtocolTransparent, kProtocolTrimtalk, kProtocolKtrx};
        case kRadioAdl:
            return {kProtocolTransparent, kProtocolTrimtalk, kProtocolKtrx, kProtocolSatel};
        case kRadioMdl:
            return {kProtocolTransparent, kProtocolNotUsed, kProtocolKtrx};
        default:
            return {};
    }
}

QStringList UhfRadioLists::protocolItems(int type) {
    QStringList items;
    for (const int code : protocolCodes(type))
        items << protocolText(code);
    return items;
}

QStringList UhfRadioLists::sensitivityNames() {
    return {resText(kStrLow), resText(kStrMedium), resText(kStrHigh), resText(kStrOff)};
}

int UhfRadioLists::defaultChannelCount(int type) {
    switch (type) {
        case kRadioAdl:
            return 32;
        case kRadioLfe:
            return 3;
        case kRadioLfa:
            return 50;
        default:
            return 16;
    }
}

int UhfRadioLists::firstChannel(int type) {
    return type == kRadioAdl ? 1 : 0;
}

QStringList UhfRadioLists::channelItems(int type, int count) {
    QStringList items;
    for (int position = 0; position < count; ++position)
        items << QString::number(firstChannel(type) + position);
    return items;
}

int UhfRadioLists::positionOf(const std::vector<int>& codes, int code) {
    const auto it = std::find(codes.begin(), codes.end(), code);
    return it == codes.end() ? 0 : static_cast<int>(it - codes.begin());
}

int UhfRadioLists::codeAt(const std::vector<int>& codes, int position) {
    return position >= 0 && position < static_cast<int>(codes.size())
               ? codes[static_cast<size_t>(position)]
               : 0;
}

}  // namespace quorrel
