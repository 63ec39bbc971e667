#pragma once

#include <QHash>
#include <QString>

#include "support/RecordingPrompts.h"
#include "ui/kit/DeviceClass.h"
#include "ui/kit/LinkMonitor.h"
#include "ui/kit/ReceiverWorker.h"
#include "ui/kit/ScreenContext.h"
#include "ui/kit/ScreenSettings.h"

namespace quorrel::test {

// Screen values kept in memory.
class MemoryScreenSettings : public ScreenSettings {
public:
    std::uint32_t readDword(const QString& name, std::uint32_t fallback) const override {
        return m_values.value(name, fallback);
    }
    void writeDword(const QString& name, std::uint32_t value) override {
        m_values.insert(name, value);
    }

private:
    QHash<QString, std::uint32_t> m_values;
};

// What a screen under test is handed, around a receiver the test owns: prompts that answer
// themselves, a worker, a link monitor (already watching) and settings in memory.
struct ScreenRig {
    explicit ScreenRig(CGnssReceiver& receiver, DeviceClass deviceClass = DeviceClass::OtherCode)
        : worker(receiver, prompts), link(receiver), deviceClass(deviceClass) {
        link.linkUp();
    }

    ScreenContext context() {
        return {worker.receiver(), worker, prompts, settings, link, deviceClass};
    }

    RecordingPrompts prompts;
    MemoryScreenSettings settings;
    ReceiverWorker worker;
    LinkMonitor link;
    DeviceClass deviceClass;
};

}  // namespace quorrel::test
