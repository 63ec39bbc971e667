// Arbitrary sentences of every type through the parsers: the first byte names the type the
// dispatcher is told, the rest is the sentence. The same bytes then go through the reader
// and the classifier, as the reader thread would hand them over.
#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/MemoryByteSource.h"
#include "receiver/link/Classifier.h"
#include "receiver/link/ReceiverStatus.h"
#include "receiver/link/SentenceDispatcher.h"
#include "receiver/link/SentenceReader.h"

using namespace quorrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    constexpr int kTypes = static_cast<int>(SentenceType::UNKNOWN) + 1;
    const auto type = static_cast<SentenceType>(data[0] % kTypes);
    // The reader hands every parser a NUL-terminated sentence.
    const std::string sentence(reinterpret_cast<const char*>(data + 1), size - 1);

    ReceiverStatus status;
    dispatchSentence(status, type, sentence.c_str(), sentence.size());
    dispatchSentence(status, classifySentence(sentence.c_str(), sentence.size()), sentence.c_str(),
                     sentence.size());

    static std::vector<char> buffer(SentenceReader::kBufferSize);
    MemoryByteSource source(64);
    source.append(sentence);
    std::atomic<bool> stop{false};
    SentenceReader reader(source, stop);
    SentenceType framed;
    while (reader.readSentence(framed, buffer.data(), buffer.size()))
        dispatchSentence(status, framed, buffer.data(), reader.lastLength());

    SatelliteTable table{};
    if (status.satellites(table) > kSatelliteSlots) __builtin_trap();
    return 0;
}
