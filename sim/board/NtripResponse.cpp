#include "sim/board/NtripResponse.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace quorrel {
namespace {

constexpr std::string_view kIcyOk = "ICY 200 OK\r\n";
constexpr std::string_view kTableOk = "SOURCETABLE 200 OK";
constexpr std::string_view kTableEnd = "ENDSOURCETABLE";
constexpr std::size_t kLongestStatusLine = 1024;

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// True while `text` could still become `expected`.
bool isPrefixOf(std::string_view text, std::string_view expected) {
    return text.size() < expected.size() && startsWith(expected, text);
}

bool parseDegrees(std::string_view text, double& degrees) {
    const std::string copy(text.substr(0, 32));
    char* end = nullptr;
    degrees = std::strtod(copy.c_str(), &end);
    return end != copy.c_str() && std::isfinite(degrees);
}

CasterReply httpReply(std::string_view received) {
    const std::size_t lineEnd = received.find("\r\n");
    const std::string_view status = received.substr(0, lineEnd);
    if (status.size() < 12 || status.substr(9, 3) != "200") return {CasterAnswer::Refused, 0};
    const std::size_t headerEnd = received.find("\r\n\r\n");
    if (headerEnd == std::string_view::npos) {
        if (received.size() > 8 * kLongestStatusLine) return {CasterAnswer::Refused, 0};
        return {};
    }
    return {CasterAnswer::Stream, headerEnd + 4};
}

}  // namespace

CasterReply classifyCasterReply(std::string_view received) {
    if (startsWith(received, kIcyOk)) {
        std::size_t header = kIcyOk.size();
        // Some casters follow the status with an empty line.
        if (received.size() >= header + 2 && received.substr(header, 2) == "\r\n") header += 2;
        return {CasterAnswer::Stream, header};
    }
    if (isPrefixOf(received, kIcyOk) || isPrefixOf(received, kTableOk)) return {};
    if (startsWith(received, kTableOk)) return {CasterAnswer::SourceTable, 0};
    const std::size_t lineEnd = received.find('\n');
    if (lineEnd == std::string_view::npos)
        return received.size() > kLongestStatusLine ? CasterReply{CasterAnswer::Refused, 0}
                                                    : CasterReply{};
    if (startsWith(received, "HTTP/1.")) return httpReply(received);
    return {CasterAnswer::Refused, 0};
}

std::optional<std::string> completeSourceTable(std::string_view received) {
    if (!startsWith(received, kTableOk)) return std::nullopt;
    std::size_t from = 0;
    for (;;) {
        const std::size_t at = received.find(kTableEnd, from);
        if (at == std::string_view::npos) return std::nullopt;
        from = at + kTableEnd.size();
        if (at > 0 && received[at - 1] != '\n') continue;  // not at the start of a line
        const std::string_view rest = received.substr(from);
        if (!rest.empty() && rest[0] != '\r' && rest[0] != '\n') continue;
        return std::string(received.substr(0, from)) + "\r\n";
    }
}

std::string ntripRequest(const std::string& mount, const std::string& login,
                         const std::string& password) {
    std::string request = "GET /" + mount + " HTTP/1.0\r\nUser-Agent: NTRIP QuorrelBoard/2.31\r\n";
    if (!login.empty())
        request += "Authorization: Basic " + base64(login + ":" + password) + "\r\n";
    return request + "\r\n";
}

std::string base64(std::string_view bytes) {
    static constexpr char kAlphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t n = std::min<std::size_t>(3, bytes.size() - i);
        unsigned value = 0;
        for (std::size_t k = 0; k < 3; ++k)
            value = (value << 8) | (k < n ? static_cast<unsigned char>(bytes[i + k]) : 0u);
        for (std::size_t k = 0; k < 4; ++k)
            out += k <= n ? kAlphabet[(value >> (18 - 6 * k)) & 0x3F] : '=';
    }
    return out;
}

bool findStation(std::string_view table, std::string_view mount, double& latitudeDeg,
                 double& longitudeDeg) {
    std::size_t start = 0;
    while (start < table.size()) {
        std::size_t end = table.find('\n', start);
        if (end == std::string_view::npos) end = table.size();
        std::string_view line = table.substr(start, end - start);
        start = end + 1;
        if (!startsWith(line, "STR;")) continue;
        std::string_view fields[11];
        std::size_t count = 0, from = 0;
        while (count < 11) {
            const std::size_t semicolon = line.find(';', from);
            fields[count++] = line.substr(from, semicolon - from);
            if (semicolon == std::string_view::npos) break;
            from = semicolon + 1;
        }
        if (count < 11 || fields[1] != mount) continue;
        return parseDegrees(fields[9], latitudeDeg) && parseDegrees(fields[10], longitudeDeg);
    }
    return false;
}

}  // namespace quorrel
