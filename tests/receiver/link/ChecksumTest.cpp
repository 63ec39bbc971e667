#include <gtest/gtest.h>

#include <cstring>

#include "receiver/link/Checksum.h"

using namespace quorrel;

namespace {

bool ok(const char* sentence) {
    return checksumOk(sentence, std::strlen(sentence));
}

}  // namespace

TEST(Checksum, AcceptsTheXorOfTheBody) {
    EXPECT_TRUE(ok("$GPGLL,4404.1237962,N,12118.8472460,W,232712.000,A,A*42\r\n"));
    EXPECT_TRUE(ok("$GPZDA,232712.000,28,03,2016,00,00*5D\r\n"));
}

TEST(Checksum, RejectsAWrongValue) {
    EXPECT_FALSE(ok("$GPZDA,232712.000,28,03,2016,00,00*5E\r\n"));
    EXPECT_FALSE(ok("$GPZDA,232712.000,28,03,2016,00,01*5D\r\n"));
}

TEST(Checksum, LowerCaseHexDigitsFail) {
    // The XOR of this body is 0x5D; written "5d" it must not pass.
    EXPECT_FALSE(ok("$GPZDA,232712.000,28,03,2016,00,00*5d\r\n"));
}

TEST(Checksum, SentenceWithoutChecksumPasses) {
    EXPECT_TRUE(ok("$PQVXR,ACK,PRT\r\n"));
    EXPECT_TRUE(ok("\r\n"));
}

TEST(Checksum, WithChecksumBuildsAPassingSentence) {
    const std::string sentence = withChecksum("PQVXR,SBA,ON");
    EXPECT_EQ(sentence.substr(0, 13), "$PQVXR,SBA,ON");
    EXPECT_TRUE(checksumOk(sentence.c_str(), sentence.size()));
    EXPECT_EQ(sentence.substr(sentence.size() - 2), "\r\n");
}

TEST(Checksum, XorOfEveryLengthMatchesByteByByte) {
    std::string text;
    for (int i = 0; i < 40; ++i)
        text += char(0x21 + (i * 37) % 90);
    for (std::size_t from = 0; from < 9; ++from) {
        for (std::size_t to = from; to <= text.size(); ++to) {
            std::uint8_t expected = 0;
            for (std::size_t i = from; i < to; ++i)
                expected ^= std::uint8_t(text[i]);
            EXPECT_EQ(xorChecksum(text.data() + from, text.data() + to), expected)
                << from << "-" << to;
        }
    }
}
