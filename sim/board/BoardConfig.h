#pragma once

#include <cstdint>
#include <string>

namespace quorrel {

// Everything the simulated board is built with; the program's options fill the same record.
struct BoardConfig {
    // Start point of the antenna: WGS-84 degrees and ellipsoidal height in metres.
    double latitudeDeg = 48.137154;
    double longitudeDeg = 11.576124;
    double heightM = 560.0;

    // The rate the board's UART listens at, and the letter of the port the program is on.
    std::uint32_t baudRate = 57600;
    char ownPort = 'A';
    // Send no faster than the program's side of the line is set to (ten bits a byte), as a
    // real UART does; a pseudo-terminal alone passes everything at once.
    bool lineRatePacing = false;

    // Multiplies every modem, solution and acquisition delay (0.01 makes seconds into
    // hundredths), so tests walk through the modem sequence in well under a second.
    double timeScale = 1.0;
    // Seed of the position noise; the same seed gives the same track.
    std::uint32_t seed = 1;

    // Initial state.
    std::uint32_t outputRateHz = 0;  // 0: no NMEA output until the program asks for it
    bool modemFitted = true;
    bool externalAntenna = true;
    bool storageCardPresent = true;
    bool startWithFix = false;  // skip the acquisition after start and reset
    char radioPort = 'D';       // where the UHF radio module sits ('\0': none)
    std::string radioType = "PDL";
    std::string simPin;       // empty: the SIM asks for no PIN
    bool dialAnswers = true;  // a CSD call gets through
    // The radio at radioPort ("UNKNOWN" as its type: it never tells what it is): how many
    // channels it reports (-1: as many as its type has) and the channel it starts on.
    int radioChannels = -1;
    int radioChannel = 0;

    // Identity reported by "$PQVXQ,VERSION".
    std::string receiverVersion = "QB-2.31";
    std::string systemFirmware = "4.12.0";
    std::string gnssFirmware = "3.8.5";
    std::string serialNumber = "QB1204357";

    // IP client: how long a mount point or source table may stay silent before the board
    // gives up, in milliseconds (not scaled).
    int ipTimeoutMs = 15000;
};

}  // namespace quorrel
