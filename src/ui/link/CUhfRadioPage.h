#pragma once

#include "ui/kit/CReceiverPage.h"

class QComboBox;

namespace quorrel {

class UhfConfigLogic;
struct UhfSheetState;

// "Radio": the radio's type and the baud rate of the receiver port it hangs on.
class CUhfRadioPage : public CReceiverPage {
    Q_OBJECT

public:
    // `logic` and `state` belong to the sheet and outlive the page.
    CUhfRadioPage(const ScreenContext& context, const UhfConfigLogic& logic, UhfSheetState& state,
                  QWidget* parent = nullptr);

    QComboBox* typeList() const { return m_type; }
    QComboBox* baudList() const { return m_baud; }

protected:
    void onInitPage() override;
    bool onKillActive() override;
    bool onApply() override;

private:
    void typeChosen();
    void takeType();

    const UhfConfigLogic& m_logic;
    UhfSheetState& m_state;
    QComboBox* m_type;
    QComboBox* m_baud;
};

}  // namespace quorrel
