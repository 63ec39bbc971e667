#pragma once

// A driver on one side of a pseudo-terminal, the simulated module on the other, with every
// wait shortened so that the suite stays fast.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "receiver/external/CExternalNmeaReceiver.h"
#include "receiver/external/Utf16Text.h"
#include "sim/module/ModuleSimulator.h"

class ModuleFixture : public ::testing::Test {
protected:
    static constexpr int kEpochMs = 40;

    static quorrel::ExternalTimeouts fastTimeouts() {
        quorrel::ExternalTimeouts t;
        t.acknowledgementMs = 1000;
        t.navigationParametersMs = 1000;
        t.dataSeenMs = 200;
        t.protocolSwitchMs = 100;
        t.settleMs = 20;
        t.readMs = 100;
        return t;
    }

    void startModule(std::uint32_t baudRate,
                     quorrel::ModuleProtocol protocol = quorrel::ModuleProtocol::Nmea) {
        quorrel::ModuleSimConfig config;
        config.baudRate = baudRate;
        config.protocol = protocol;
        config.epochMs = kEpochMs;
        module = std::make_unique<quorrel::ModuleSimulator>(config);
        ASSERT_TRUE(module->start());
    }

    bool open() {
        receiver.SetTimeouts(timeouts);
        quorrel::RawDataPlaces places;
        places.documentsFolder = documents / "Documents";
        places.removableParents = {documents / "media"};
        places.today = [] {
            std::tm day{};
            day.tm_year = 2010 - 1900;
            day.tm_mon = 4;
            day.tm_mday = 31;
            return day;
        };
        receiver.SetRawDataPlaces(places);
        return receiver.Open(quorrel::utf8ToUtf16(module->devicePath()));
    }

    // Binary messages the module received since `from` (an index into its log).
    std::vector<std::vector<std::uint8_t>> framesSince(std::size_t from) const {
        std::vector<std::vector<std::uint8_t>> frames;
        const std::vector<quorrel::ModuleLogEntry> log = module->received();
        for (std::size_t i = from; i < log.size(); ++i)
            if (log[i].kind == quorrel::ModuleProtocol::Binary) frames.push_back(log[i].bytes);
        return frames;
    }

    void TearDown() override {
        receiver.Close();
        if (module) module->stop();
    }

    quorrel::ExternalTimeouts timeouts = fastTimeouts();
    TempFolder documents;
    std::unique_ptr<quorrel::ModuleSimulator> module;
    quorrel::CExternalNmeaReceiver receiver;
};
