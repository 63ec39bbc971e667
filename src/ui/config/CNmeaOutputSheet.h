#pragma once

#include "receiver/ReceiverTypes.h"
#include "ui/kit/CPropertySheet.h"

namespace quorrel {

class CNmeaMessagesPage;
class CNmeaOutputPage;
struct ScreenContext;

// "NMEA Output": the port and baud rate of the receiver's NMEA output, then which messages
// it sends there. Both pages act on the sheet's current receiver port, which the output
// page sets.
class CNmeaOutputSheet : public CPropertySheet {
    Q_OBJECT

public:
    explicit CNmeaOutputSheet(const ScreenContext& context, QWidget* parent = nullptr);

    CNmeaOutputPage* outputPage() const { return m_output; }
    CNmeaMessagesPage* messagesPage() const { return m_messages; }
    int currentPort() const { return m_currentPort; }
    void setCurrentPort(int port) { m_currentPort = port; }

private:
    CNmeaOutputPage* m_output;
    CNmeaMessagesPage* m_messages;
    int m_currentPort = kPortB;
};

}  // namespace quorrel
