#pragma once

#include <QString>
#include <cstdint>

namespace quorrel {

// The program's own title; it also names the settings location, whatever language file is
// loaded.
inline constexpr char kProgramTitle[] = "GNSS Quorrel";

// The persisted settings record, in the order the main menu and the differential-mode
// sheet receive it. Strings start empty and numbers zero.
struct AppSettings {
    std::int32_t ntripPort = 0;
    QString ntripAddress;
    QString ntripUser;
    QString ntripPassword;
    QString ntripMountPoint;
    std::int32_t ipPort = 0;
    QString ipAddress;
    std::int32_t dialGsm = 0;       // 0 or 1
    std::int32_t connectNtrip = 0;  // 0 or 1
    std::int32_t connectIp = 0;     // 0 or 1
    bool isExternalGps = false;
    std::int32_t networkProtocol = 0;  // 0 direct IP, 1 NTRIP

    bool operator==(const AppSettings&) const = default;
};

}  // namespace quorrel
