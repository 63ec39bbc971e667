#include <gtest/gtest.h>

#include "app/shell/LocalCaster.h"

using namespace quorrel;

TEST(LocalCaster, OfferedToANewUserOnlyAndNeverOverStoredValues) {
    AppSettings directIp;
    directIp.ipAddress = QStringLiteral("10.0.0.1");
    AppSettings ownCaster;
    ownCaster.ntripAddress = QStringLiteral("caster.example.net");
    AppSettings ownMount;
    ownMount.ntripMountPoint = QStringLiteral("MINE");
    const struct {
        const char* legend;
        AppSettings stored;
        int port;
        bool offered;
        std::int32_t protocol;
    } cases[] = {
        {"new user", AppSettings{}, 2101, true, 1},
        {"no caster started", AppSettings{}, 0, false, 0},
        {"port out of range", AppSettings{}, 65536, false, 0},
        {"direct IP stored: its protocol stays", directIp, 2101, true, 0},
        {"own caster stored", ownCaster, 2101, false, 0},
        {"own mount point stored", ownMount, 2101, false, 0},
    };
    for (const auto& c : cases) {
        AppSettings settings = c.stored;
        EXPECT_EQ(offerLocalCaster(settings, c.port), c.offered) << c.legend;
        EXPECT_EQ(settings.networkProtocol, c.protocol) << c.legend;
        if (!c.offered) {
            EXPECT_EQ(settings.ntripAddress, c.stored.ntripAddress) << c.legend;
            continue;
        }
        EXPECT_EQ(settings.ntripAddress, "127.0.0.1");
        EXPECT_EQ(settings.ntripPort, c.port);
        EXPECT_EQ(settings.ntripMountPoint, "QRL1");
    }
}
