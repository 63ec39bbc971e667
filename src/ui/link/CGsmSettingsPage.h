#pragma once

#include <QString>

#include "ui/kit/CPropertyPage.h"
#include "ui/link/ConnectionHistory.h"
#include "ui/link/DiffLinkValues.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace quorrel {

class UserPrompts;

// "Settings": the number to dial, picked from the GSM history or typed, and with an external
// receiver the SIM PIN. The history is loaded with the page and written back when the page
// goes, whether the sheet ended with OK or not; OK remembers the number with its PIN.
class CGsmSettingsPage : public CPropertyPage {
    Q_OBJECT

public:
    // `values` and `externalReceiver` belong to the sheet and outlive the page; the history
    // file lies in `historyFolder`.
    CGsmSettingsPage(GsmValues& values, const bool& externalReceiver, UserPrompts& prompts,
                     const QString& historyFolder, QWidget* parent = nullptr);

    QComboBox* phoneList() const { return m_phone; }
    QLineEdit* pinField() const { return m_pin; }
    QLabel* pinLabel() const { return m_pinLabel; }
    // The PIN row shows (with an external receiver only).
    bool isPinShown() const { return m_externalReceiver; }

protected:
    void onInitPage() override;
    bool onApply() override;

private:
    void phonePicked(int index);

    GsmValues& m_values;
    const bool& m_externalReceiver;
    UserPrompts& m_prompts;
    ConnectionHistory m_history;
    QComboBox* m_phone;
    QLabel* m_pinLabel;
    QLineEdit* m_pin;
};

}  // namespace quorrel
