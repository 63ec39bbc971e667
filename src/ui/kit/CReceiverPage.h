#pragma once

#include <optional>
#include <utility>

#include "ui/kit/CPropertyPage.h"
#include "ui/kit/ReceiverWorker.h"
#include "ui/kit/ScreenContext.h"
#include "ui/kit/StringIds.h"

namespace quorrel {

// A page that shows what the receiver reports and sends the user's changes back. Its logic
// runs on the receiver worker (onReceiver); what the logic has for the user comes back as a
// string id and is shown here, on the GUI thread (tell). See src/ui/README.md.
class CReceiverPage : public CPropertyPage {
    Q_OBJECT

public:
    const ScreenContext& context() const { return m_context; }
    // The handheld's page size, or more where the controls need it.
    QSize minimumSizeHint() const override;

protected:
    // `titleId`: the page's caption among the string resources.
    CReceiverPage(int titleId, const ScreenContext& context, QWidget* parent = nullptr);

    // Runs `sequence` (a callable taking CGnssReceiver&) on the receiver worker and returns
    // its result; the window keeps painting and holds the user's input meanwhile.
    template <typename F>
    auto onReceiver(F&& sequence) {
        return m_context.worker.run(std::forward<F>(sequence));
    }
    // Shows `message` in a box with an OK button, when there is one.
    void tell(std::optional<StringId> message);

private:
    ScreenContext m_context;
};

}  // namespace quorrel
