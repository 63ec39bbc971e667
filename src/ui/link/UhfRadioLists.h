#pragma once

#include <QStringList>
#include <vector>

namespace quorrel {

// What the UHF radio sheet offers for each radio type (kRadioPdl … kRadioNone): the rows of
// the "Type:" list and, per type, the lists of the Settings page. List entries map to the
// codes the receiver exchanges (speedIndex, protocolIndex of the RDP reply).
class UhfRadioLists {
public:
    // "Pacific Crest PDL" … "None"; Corvalen only when it is offered.
    static QStringList typeRows(bool withCorvalen);
    // The type of a row, -1 for none; and the row of a type, -1 when it has none.
    static int typeOfRow(int row, bool withCorvalen);
    static int rowOfType(int type, bool withCorvalen);
    // The baud row a chosen type brings with it: "9600" for the license-free radios, "38400"
    // for the others, -1 for None (the rate stays).
    static int baudRowForType(int type);

    // Air link speed, protocol and sensitivity apply to PDL, ADL and Ostrel only.
    static bool hasAirLink(int type);
    // Speed codes of `type`; an Ostrel radio talking KTRX only knows 4800.
    static std::vector<int> speedCodes(int type, int protocolCode);
    static QStringList speedItems(int type, int protocolCode);
    static std::vector<int> protocolCodes(int type);
    static QStringList protocolItems(int type);
    // "Low", "Medium", "High", "Off": a position is the sensitivity code.
    static QStringList sensitivityNames();

    // Channels when the radio does not tell; entries count from 1 for ADL, else from 0.
    static int defaultChannelCount(int type);
    static int firstChannel(int type);
    static QStringList channelItems(int type, int count);

    // Where `code` stands in `codes`; 0 when it is not there.
    static int positionOf(const std::vector<int>& codes, int code);
    // The code at `position`; 0 outside the list.
    static int codeAt(const std::vector<int>& codes, int position);
};

}  // namespace quorrel
