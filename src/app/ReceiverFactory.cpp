#include "app/ReceiverFactory.h"

#include "receiver/CGnssReceiver.h"

namespace quorrel {
namespace {

// Stands in until the drivers join the build: every operation fails, so the program says
// "Cannot connect GPS".
class UnavailableReceiver : public CGnssReceiver {
public:
    int GetDeviceClass() override { return m_deviceClass; }
    void SetDeviceClass(int deviceClass) override { m_deviceClass = deviceClass; }

private:
    int m_deviceClass = 2;
};

}  // namespace

std::unique_ptr<CGnssReceiver> createReceiver(DeviceClass, const QString&) {
    return std::make_unique<UnavailableReceiver>();
}

}  // namespace quorrel
