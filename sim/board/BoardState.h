#pragma once

#include <array>
#include <string>

#include "sim/board/Geodesy.h"

namespace quorrel {

// Ports "A" to "F" as indices 0–5.
constexpr int kPortCount = 6;
inline char portLetter(int index) {
    return static_cast<char>('A' + index);
}

struct PortSettings {
    int baudCode = 8;  // 0–9: 300 … 115200
    bool enabled = true;
};

struct RadioSettings {
    std::string type = "NONE";  // PDL, ADL, CVL, MDL, LFE, LFA, NONE, UNKNOWN
    int channel = 0;
    int channelCount = -1;  // -1: as many as the type has
    std::string channelMode = "AUT";
    int protocolDigit = 1;
    std::string airSpeed = "9600";
    std::string sensitivity = "MED";
    bool rs422 = false;
};

struct BaseOutputSettings {
    char port1 = 'B';
    std::string format1 = "RT3";
    char port2 = '\0';  // none
    std::string format2;
};

struct RecordingSettings {
    int memory = 0;  // 0 internal memory, 1 storage card
    bool recording = false;
    std::string currentFile = "NONE";
    int fileSerial = 0;
    double intervalS = 1.0;
    bool atlOn = false;
    bool atlRecording = false;
    double atlSinceS = 0;
    double recordingSinceS = 0;
};

struct DirectIpSettings {
    std::string address;
    int port = 0;
    std::string login, password;
};

struct NtripSettings {
    std::string address;
    int port = 0;
    std::string login, password;
    int type = 0;
    std::string mountPoint = "OFF";
};

// The board's settings as its firmware keeps them; commands change them, queries report them.
struct BoardState {
    // Tracking. Modes: 0 GPS L1, 1 GPS/GLONASS L1, 2 GPS L1/L2P, 3 GPS L1/L2C,
    // 4 GPS/GLONASS L1/L2.
    bool sbas = true;
    bool glonass = true;
    int trackingMode = 1;
    int elevationMaskDeg = 10;
    int dynamics = 2;

    // Antenna.
    double antennaHeightM = 0.0;
    bool slantHeight = false;
    std::string antennaReduction = "ON";
    std::string antennaName = "RZA221771";
    std::string virtualAntenna = "OFF";
    std::array<double, 3> antennaOffsets{};

    // Site and base.
    std::string siteName = "QRL1";
    bool baseMode = false;
    int cpdSubMode = 0;
    Geodetic reference;
    std::string referenceKind = "ARP";
    double arrowLength = 1.0;
    bool arrowOn = false;
    BaseOutputSettings baseOutput;

    // Ports.
    std::array<PortSettings, kPortCount> ports{};
    std::string bluetoothName = "NONE";
    int npt[2] = {1, 0};

    RecordingSettings recording;
    double obiResetS = 0;
    std::array<RadioSettings, kPortCount> radios{};
    bool radioPower = false;
    DirectIpSettings directIp;
    NtripSettings ntrip;

    bool glonassTracked() const { return glonass && (trackingMode == 1 || trackingMode == 4); }
};

}  // namespace quorrel
