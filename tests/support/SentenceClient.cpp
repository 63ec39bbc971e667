#include "support/SentenceClient.h"

#include <vector>

#include "receiver/link/SentenceReader.h"

namespace quorrel::test {

bool SentenceClient::CountingSource::read(std::uint8_t* buffer, std::size_t length,
                                          std::size_t& got, int timeoutMs) {
    const bool ok = port->read(buffer, length, got, timeoutMs);
    bytes += got;
    return ok;
}

bool SentenceClient::open(const std::string& device, std::uint32_t baud) {
    m_port.open(device);
    if (!m_port.isOpen() || !m_port.setBaudRate(baud)) return false;
    m_port.purge();
    m_counter.port = &m_port;
    m_stop = false;
    m_failed = false;
    m_reader = std::thread([this] { readLoop(); });
    return true;
}

void SentenceClient::close() {
    m_stop = true;
    if (m_reader.joinable()) m_reader.join();
    m_port.close();
}

void SentenceClient::readLoop() {
    SentenceReader reader(m_counter, m_stop);
    reader.setSilenceMs(kReadTimeoutMs);  // the stop flag is looked at after every silence
    std::vector<char> buffer(SentenceReader::kBufferSize);
    SentenceType type;
    while (reader.readSentence(type, buffer.data(), buffer.size())) {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_queue.push_back({type, std::string(buffer.data(), reader.lastLength()),
                               std::chrono::steady_clock::now()});
        }
        m_arrived.notify_all();
    }
    if (!m_stop) m_failed = true;
    m_arrived.notify_all();
}

bool SentenceClient::send(const std::string& sentence) {
    const std::string line = sentence + "\r\n";
    std::size_t written = 0;
    return m_port.write(line.data(), line.size(), written) && written == line.size();
}

std::optional<SentenceClient::Received> SentenceClient::waitFor(const std::string& prefix,
                                                                int timeoutMs) {
    return waitForAny({prefix}, timeoutMs);
}

std::optional<SentenceClient::Received> SentenceClient::waitForAny(
    const std::vector<std::string>& prefixes, int timeoutMs) {
    std::unique_lock<std::mutex> lock(m_mutex);
    std::optional<Received> found;
    m_arrived.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] {
        while (!m_queue.empty()) {
            Received next = std::move(m_queue.front());
            m_queue.pop_front();
            for (const std::string& prefix : prefixes)
                if (next.text.compare(0, prefix.size(), prefix) == 0) {
                    found = std::move(next);
                    return true;
                }
        }
        return m_failed.load();
    });
    return found;
}

std::optional<SentenceClient::Received> SentenceClient::request(const std::string& sentence,
                                                                const std::string& replyPrefix,
                                                                int timeoutMs) {
    if (!send(sentence)) return std::nullopt;
    return waitFor(replyPrefix, timeoutMs);
}

std::vector<SentenceClient::Received> SentenceClient::collect(int durationMs) {
    std::this_thread::sleep_for(std::chrono::milliseconds(durationMs));
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<Received> out(std::make_move_iterator(m_queue.begin()),
                              std::make_move_iterator(m_queue.end()));
    m_queue.clear();
    return out;
}

void SentenceClient::clear() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_queue.clear();
}

}  // namespace quorrel::test
