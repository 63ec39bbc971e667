#pragma once

namespace quorrel {

// The handheld model class, from the first four characters of its identification. It picks
// the receiver implementation, the serial port and the main menu's entries.
enum class DeviceClass : int {
    Code0143 = 0,   // external SiRF module on "COM1:"
    Code0204 = 1,   // external SiRF module on "COM3:"
    OtherCode = 2,  // the GNSS board on "COM3:"
};

inline bool isExternalModule(DeviceClass deviceClass) {
    return deviceClass != DeviceClass::OtherCode;
}

}  // namespace quorrel
