#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "receiver/link/Checksum.h"
#include "sim/board/BoardSimulator.h"
#include "support/SentenceClient.h"

namespace quorrel::test {

// The fields of a sentence, without "$", "*HH" and CR LF.
inline std::vector<std::string> fieldsOf(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    if (text.size() >= 3 && text[text.size() - 3] == '*') text.resize(text.size() - 3);
    if (!text.empty() && text[0] == '$') text.erase(0, 1);
    std::vector<std::string> out;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = text.find(',', start);
        out.push_back(text.substr(start, comma - start));
        if (comma == std::string::npos) return out;
        start = comma + 1;
    }
}

// The sentence without "$", checksum and line end.
inline std::string bodyOf(const std::string& text) {
    std::string body = text;
    while (!body.empty() && (body.back() == '\n' || body.back() == '\r'))
        body.pop_back();
    if (body.size() >= 3 && body[body.size() - 3] == '*') body.resize(body.size() - 3);
    return body.empty() ? body : body.substr(1);
}

inline bool hasGoodChecksum(const std::string& text) {
    return text.find('*') != std::string::npos && checksumOk(text.c_str(), text.size());
}

// A simulated board a hundred times faster than life, and the program's end of its line.
class BoardTest : public ::testing::Test {
protected:
    BoardTest() {
        config.timeScale = 0.01;
        config.startWithFix = true;
    }

    void startBoard() {
        board = std::make_unique<BoardSimulator>(config);
        ASSERT_TRUE(board->start());
        ASSERT_TRUE(client.open(board->devicePath(), config.baudRate));
    }

    // Sends a set command and expects "$PQVXR,ACK,<code>".
    void expectAck(const std::string& command) {
        const std::string code = fieldsOf(command).at(1);
        ASSERT_TRUE(client.send(command));
        const auto reply = client.waitForAny({"$PQVXR,ACK", "$PQVXR,NAK"});
        ASSERT_TRUE(reply) << command;
        EXPECT_EQ(bodyOf(reply->text), "PQVXR,ACK," + code) << command;
    }

    std::string query(const std::string& command, const std::string& replyPrefix) {
        const auto reply = client.request(command, replyPrefix);
        return reply ? bodyOf(reply->text) : "(no reply to " + command + ")";
    }

    // The standard output the program switches on, at `periodS`.
    void switchOnEpochs(const std::string& period) {
        for (const char* m : {"GGA", "GSA", "GSV", "GST", "ZDA", "VEC", "VTG"})
            expectAck(std::string("$PQVXS,NME,") + m + ",A,ON," + period);
    }

    // The modem powered, on GPRS and registered: what IP links need.
    void prepareGprs() {
        expectAck("$PQVXS,MDM,PAR,PTC,1,IPT,0,ADL,N");
        ASSERT_TRUE(client.request("$PQVXS,MDM,ON", "$PQVXR,ACK", 3000));
        expectAck("$PQVXS,MDM,INI");
        ASSERT_TRUE(client.waitFor("$PQVXR,MDM,INI,OK", 3000));
    }

    BoardConfig config;
    std::unique_ptr<BoardSimulator> board;
    SentenceClient client;
};

}  // namespace quorrel::test
