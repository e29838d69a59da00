#pragma once

#include "wizards/edit_user_wiz_tab.h"

namespace murmex {

class CProfileForm;

// "Statystyczne" (255): city size, education, job and up to 12 languages.
class CEditUserWizStep3 final : public CEditUserWizTab {
    Q_OBJECT

public:
    explicit CEditUserWizStep3(CEditUserWizDialog& dialog, QWidget* parent = nullptr);

    CProfileForm* Form() const { return m_form; }

protected:
    void Load(const CUserRecord& user) override;
    void Store(CUserRecord& user) override;

private:
    CProfileForm* m_form = nullptr;
};

} // namespace murmex
