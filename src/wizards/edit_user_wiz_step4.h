#pragma once

#include "wizards/edit_user_wiz_tab.h"

namespace murmex {

class CDictCheckBoxes;

// "Inne statystyczne" (256): up to 24 interests.
class CEditUserWizStep4 final : public CEditUserWizTab {
    Q_OBJECT

public:
    explicit CEditUserWizStep4(CEditUserWizDialog& dialog, QWidget* parent = nullptr);

    CDictCheckBoxes* Interests() const { return m_interests; }

protected:
    void Load(const CUserRecord& user) override;
    void Store(CUserRecord& user) override;

private:
    CDictCheckBoxes* m_interests = nullptr;
};

} // namespace murmex
