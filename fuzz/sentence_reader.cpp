// Arbitrary bytes through the sentence reader: every sentence it returns is terminated
// inside the buffer, and nothing is read or written past it.
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/MemoryByteSource.h"
#include "receiver/link/Checksum.h"
#include "receiver/link/Classifier.h"
#include "receiver/link/SentenceReader.h"

using namespace quorrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // The first byte picks how the bytes are cut into reads, and whether a small buffer is
    // used, so that every limit is reached with short inputs too.
    const std::size_t chunk = 1 + data[0] % 64;
    const bool smallBuffer = data[0] & 0x80;
    static std::vector<char> large(SentenceReader::kBufferSize);
    static std::vector<char> small(SentenceReader::kSentenceLimit);
    std::vector<char>& buffer = smallBuffer ? small : large;

    MemoryByteSource source(chunk);
    std::size_t offset = 1;
    while (offset < size) {
        // A 0xFF byte stands for a silence of the port.
        const std::uint8_t* next =
            static_cast<const std::uint8_t*>(std::memchr(data + offset, 0xFF, size - offset));
        const std::size_t end = next ? std::size_t(next - data) : size;
        source.append(data + offset, end - offset);
        if (next) source.appendSilence();
        offset = end + 1;
    }

    std::atomic<bool> stop{false};
    SentenceReader reader(source, stop);
    SentenceType type;
    while (reader.readSentence(type, buffer.data(), buffer.size())) {
        const std::size_t length = reader.lastLength();
        if (length >= buffer.size() || buffer[length] != '\0') std::abort();
        if (type != SentenceType::NTR && length >= SentenceReader::kSentenceLimit) std::abort();
        checksumOk(buffer.data(), length);
        if (type != SentenceType::VERSION && classifySentence(buffer.data(), length) != type &&
            !(type == SentenceType::NTR))
            std::abort();
    }
    return 0;
}
