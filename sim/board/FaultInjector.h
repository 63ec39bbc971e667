#pragma once

#include <string>
#include <vector>

namespace quorrel {

// The fault switches of the simulated board. Patterns name a command or reply by its
// leading fields, with or without "$": "PQVXS,MDM,ON", "PQVXQ,PRT", "PRT" (any
// "$PQVXR,PRT" reply), "GGA" (a "$GPGGA"). A count limits a fault to its next uses;
// negative counts never run out.
class FaultInjector {
public:
    enum class Action { Normal, Nak, Ignore };

    void nak(const std::string& command, int times = -1);
    void ignore(const std::string& command, int times = -1);
    void corruptChecksum(const std::string& reply, int times = -1);
    void setSilent(bool silent) { m_silent = silent; }
    bool isSilent() const { return m_silent; }
    void setReplyDelayMs(int ms) { m_replyDelayMs = ms; }
    int replyDelayMs() const { return m_replyDelayMs; }
    void clear();

    // What to do with a received command line (uses up one count of the fault that fires).
    Action actionFor(const std::string& line);
    // Spoils the "*HH" of `sentence` when a corruption fault matches; true when it did.
    bool corrupt(std::string& sentence);

private:
    struct Rule {
        std::string pattern;
        int remaining;
        Action action;
    };

    static bool fire(std::vector<Rule>& rules, const std::string& text, bool reply, Action* action);

    std::vector<Rule> m_commandRules;
    std::vector<Rule> m_corruptRules;
    bool m_silent = false;
    int m_replyDelayMs = 0;
};

// True when `pattern` names `text` (both without line end): the text begins with the
// pattern and the pattern ends on a field boundary. For replies the talker may be left out:
// "PRT" names "$PQVXR,PRT,…", "GGA" names "$GPGGA,…".
bool faultMatches(const std::string& pattern, const std::string& text, bool reply);

}  // namespace quorrel
