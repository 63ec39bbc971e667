#include "ui/kit/CReceiverPage.h"

#include "ui/kit/DialogUnits.h"
#include "ui/kit/Resources.h"
#include "ui/kit/UserPrompts.h"

namespace quorrel {
namespace {

// The handheld's page, in dialog units.
constexpr int kPageWidthDu = 156;
constexpr int kPageHeightDu = 120;

}  // namespace

CReceiverPage::CReceiverPage(int titleId, const ScreenContext& context, QWidget* parent)
    : CPropertyPage(resText(titleId), parent), m_context(context) {}

QSize CReceiverPage::minimumSizeHint() const {
    return CPropertyPage::minimumSizeHint().expandedTo(
        DialogUnits(font()).size(kPageWidthDu, kPageHeightDu));
}

void CReceiverPage::tell(std::optional<StringId> message) {
    if (message) m_context.prompts.tell(resText(*message));
}

}  // namespace quorrel
