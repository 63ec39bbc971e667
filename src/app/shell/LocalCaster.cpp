#include "app/shell/LocalCaster.h"

namespace quorrel {
namespace {

constexpr int kHighestPort = 65535;
constexpr std::int32_t kNtripProtocol = 1;

}  // namespace

bool offerLocalCaster(AppSettings& settings, int port) {
    if (port < 1 || port > kHighestPort) return false;
    if (!settings.ntripAddress.isEmpty() || !settings.ntripMountPoint.isEmpty()) return false;
    settings.ntripAddress = QStringLiteral("127.0.0.1");
    settings.ntripPort = port;
    settings.ntripMountPoint = QLatin1String(kLocalCasterMount);
    if (settings.ipAddress.isEmpty()) settings.networkProtocol = kNtripProtocol;
    return true;
}

}  // namespace quorrel
