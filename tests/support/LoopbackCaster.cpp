#include "support/LoopbackCaster.h"

#include <cstdint>
#include <cstdio>

namespace quorrel::test {
namespace {

std::uint32_t crc24q(const std::string& bytes) {
    std::uint32_t crc = 0;
    for (unsigned char byte : bytes) {
        crc ^= std::uint32_t(byte) << 16;
        for (int bit = 0; bit < 8; ++bit) {
            crc <<= 1;
            if (crc & 0x1000000) crc ^= 0x1864CFB;
        }
    }
    return crc & 0xFFFFFF;
}

std::string headerValue(const std::string& head, const std::string& name) {
    const std::size_t at = head.find("\r\n" + name + ": ");
    if (at == std::string::npos) return {};
    const std::size_t from = at + name.size() + 4;
    return head.substr(from, head.find("\r\n", from) - from);
}

std::string base64(const std::string& bytes) {
    static const char* alphabet =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        std::uint32_t v = std::uint32_t(static_cast<unsigned char>(bytes[i])) << 16;
        if (i + 1 < bytes.size()) v |= std::uint32_t(static_cast<unsigned char>(bytes[i + 1])) << 8;
        if (i + 2 < bytes.size()) v |= static_cast<unsigned char>(bytes[i + 2]);
        out += alphabet[(v >> 18) & 63];
        out += alphabet[(v >> 12) & 63];
        out += i + 1 < bytes.size() ? alphabet[(v >> 6) & 63] : '=';
        out += i + 2 < bytes.size() ? alphabet[v & 63] : '=';
    }
    return out;
}

}  // namespace

std::string rtcmFrame() {
    // Message 1005, station 0, a position near 48° N 11.6° E (fixed bytes of the payload).
    static const unsigned char payload[] = {0x3E, 0xD0, 0x00, 0x03, 0x8A, 0x0E, 0xDE,
                                            0xEF, 0x34, 0xB4, 0xBD, 0x62, 0xAC, 0x09,
                                            0x41, 0x98, 0x6F, 0x33, 0x36};
    std::string frame = {char(0xD3), 0x00, char(sizeof payload)};
    frame.append(reinterpret_cast<const char*>(payload), sizeof payload);
    const std::uint32_t crc = crc24q(frame);
    frame += char(crc >> 16);
    frame += char((crc >> 8) & 0xFF);
    frame += char(crc & 0xFF);
    return frame;
}

std::string stationLines(int count, double latitudeDeg, double longitudeDeg) {
    std::string lines;
    char line[256];
    for (int i = 0; i < count; ++i) {
        std::snprintf(line, sizeof line,
                      "STR;MP%04d;Station %d;RTCM 3.2;1004(1),1005(10),1012(1);2;GPS+GLO;QNET;DEU;"
                      "%.2f;%.2f;1;0;QRL caster;none;B;N;9600;test\r\n",
                      i, i, latitudeDeg + (i % 100) * 0.03, longitudeDeg + (i / 100) * 0.05);
        lines += line;
    }
    return lines;
}

void LoopbackCaster::setSourceTableLines(std::string lines) {
    std::lock_guard<std::mutex> lock(mutex());
    m_table = std::move(lines);
}

void LoopbackCaster::addMount(Mount mount) {
    std::lock_guard<std::mutex> lock(mutex());
    m_mounts.push_back(std::move(mount));
}

std::vector<std::string> LoopbackCaster::requests() {
    std::lock_guard<std::mutex> lock(mutex());
    return m_requests;
}

std::string LoopbackCaster::upstream() {
    std::lock_guard<std::mutex> lock(mutex());
    return m_upstream;
}

const LoopbackCaster::Mount* LoopbackCaster::findMount(const std::string& name) const {
    for (const Mount& mount : m_mounts)
        if (mount.name == name) return &mount;
    return nullptr;
}

void LoopbackCaster::onReceive(Client& client) {
    if (!client.tag.empty()) {
        m_upstream += client.in;
        client.in.clear();
        return;
    }
    const std::size_t end = client.in.find("\r\n\r\n");
    if (end == std::string::npos) {
        if (client.in.size() > 8192) client.closeWhenSent = true;
        return;
    }
    const std::string head = client.in.substr(0, end + 2);
    client.in.erase(0, end + 4);
    m_requests.push_back(head);
    answerRequest(client, head);
}

void LoopbackCaster::answerRequest(Client& client, const std::string& head) {
    // Like real casters: no User-Agent, no answer.
    if (head.find("\r\nUser-Agent: ") == std::string::npos || !head.starts_with("GET /")) {
        client.closeWhenSent = true;
        return;
    }
    const std::string mount = head.substr(5, head.find(' ', 5) - 5);
    const Mount* found = findMount(mount);
    if (!found) {
        const std::string body = m_table + "ENDSOURCETABLE\r\n";
        client.out =
            "SOURCETABLE 200 OK\r\nServer: QRL test caster\r\nContent-Type: text/plain\r\n"
            "Content-Length: " +
            std::to_string(body.size()) + "\r\n\r\n" + body;
        client.closeWhenSent = true;
        return;
    }
    if (!found->login.empty() && headerValue(head, "Authorization") !=
                                     "Basic " + base64(found->login + ":" + found->password)) {
        client.out = "HTTP/1.0 401 Unauthorized\r\n\r\n";
        client.closeWhenSent = true;
        return;
    }
    client.out = "ICY 200 OK\r\n";
    client.tag = mount;
    client.streaming = !found->silent;
    m_upstream += client.in;
    client.in.clear();
}

void LoopbackCaster::onTick(Client& client) {
    client.out += rtcmFrame();
}

void LoopbackStreamServer::onTick(Client& client) {
    client.out += rtcmFrame();
}

}  // namespace quorrel::test
