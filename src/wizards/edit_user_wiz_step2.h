#pragma once

#include "wizards/edit_user_wiz_tab.h"

namespace murmex {

class CPersonalForm;

// "Szczegółowe" (254): the personal data with the web page, the phones and
// the "Ukryj" boxes of the name and surname.
class CEditUserWizStep2 final : public CEditUserWizTab {
    Q_OBJECT

public:
    explicit CEditUserWizStep2(CEditUserWizDialog& dialog, QWidget* parent = nullptr);

    CPersonalForm* Form() const { return m_form; }

protected:
    void Load(const CUserRecord& user) override;
    void Store(CUserRecord& user) override;

private:
    CPersonalForm* m_form = nullptr;
};

} // namespace murmex
