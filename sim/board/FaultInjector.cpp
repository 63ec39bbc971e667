#include "sim/board/FaultInjector.h"

#include <string_view>

#include "sim/board/NmeaChecksum.h"

namespace quorrel {
namespace {

std::string_view body(std::string_view text) {
    if (!text.empty() && text.front() == '$') text.remove_prefix(1);
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n'))
        text.remove_suffix(1);
    const std::size_t star = text.rfind('*');
    if (star != std::string_view::npos && star + 3 == text.size()) text = text.substr(0, star);
    return text;
}

bool prefixOnBoundary(std::string_view pattern, std::string_view text) {
    if (pattern.empty() || text.substr(0, pattern.size()) != pattern) return false;
    return text.size() == pattern.size() || text[pattern.size()] == ',';
}

}  // namespace

bool faultMatches(const std::string& pattern, const std::string& text, bool reply) {
    const std::string_view p = body(pattern);
    const std::string_view t = body(text);
    if (prefixOnBoundary(p, t)) return true;
    if (!reply) return false;
    if (t.starts_with("PQVXR,") && prefixOnBoundary(p, t.substr(6))) return true;
    return t.size() > 2 && t[0] == 'G' && prefixOnBoundary(p, t.substr(2));
}

void FaultInjector::nak(const std::string& command, int times) {
    m_commandRules.push_back({command, times, Action::Nak});
}

void FaultInjector::ignore(const std::string& command, int times) {
    m_commandRules.push_back({command, times, Action::Ignore});
}

void FaultInjector::corruptChecksum(const std::string& reply, int times) {
    m_corruptRules.push_back({reply, times, Action::Normal});
}

void FaultInjector::clear() {
    m_commandRules.clear();
    m_corruptRules.clear();
    m_silent = false;
    m_replyDelayMs = 0;
}

bool FaultInjector::fire(std::vector<Rule>& rules, const std::string& text, bool reply,
                         Action* action) {
    for (Rule& rule : rules) {
        if (rule.remaining == 0 || !faultMatches(rule.pattern, text, reply)) continue;
        if (rule.remaining > 0) --rule.remaining;
        if (action) *action = rule.action;
        return true;
    }
    return false;
}

FaultInjector::Action FaultInjector::actionFor(const std::string& line) {
    Action action = Action::Normal;
    fire(m_commandRules, line, false, &action);
    return action;
}

bool FaultInjector::corrupt(std::string& sentence) {
    std::size_t end = sentence.size();
    while (end > 0 && (sentence[end - 1] == '\r' || sentence[end - 1] == '\n'))
        --end;
    if (end < 4 || sentence[end - 3] != '*') return false;
    const int high = upperHexDigit(sentence[end - 2]), low = upperHexDigit(sentence[end - 1]);
    if (high < 0 || low < 0 || !fire(m_corruptRules, sentence, true, nullptr)) return false;
    static constexpr char kHex[] = "0123456789ABCDEF";
    const int spoiled = (high * 16 + low) ^ 0x5A;
    sentence[end - 2] = kHex[spoiled >> 4];
    sentence[end - 1] = kHex[spoiled & 0xF];
    return true;
}

}  // namespace quorrel
