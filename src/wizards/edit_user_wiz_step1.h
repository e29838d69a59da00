#pragma once

#include "wizards/edit_user_wiz_tab.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace murmex {

// "Podstawowe" (253): QID, nick and e-mail with its "Ukryj", the password
// change and the choice to keep the password on this computer.
class CEditUserWizStep1 final : public CEditUserWizTab {
    Q_OBJECT

public:
    explicit CEditUserWizStep1(CEditUserWizDialog& dialog, QWidget* parent = nullptr);

    QLabel* QidLabel() const { return m_qid; }
    QLabel* NickLabel() const { return m_nick; }
    QCheckBox* HideEmailBox() const { return m_hideEmail; }
    QLineEdit* OldPasswordEdit() const { return m_oldPassword; }
    QLineEdit* NewPasswordEdit() const { return m_newPassword; }
    QLineEdit* NewPasswordAgainEdit() const { return m_newPasswordAgain; }
    QCheckBox* KeepPasswordBox() const { return m_keepPassword; }
    QPushButton* ChangeButton() const { return m_change; }

    // "Zmień": the old password checked by the service, then the new one set.
    void ChangePassword();

protected:
    void Load(const CUserRecord& user) override;
    void Store(CUserRecord& user) override;

private:
    void KeepPasswordClicked();

    QLabel* m_qid = nullptr;
    QLabel* m_nick = nullptr;
    QLabel* m_email = nullptr;
    QCheckBox* m_hideEmail = nullptr;
    QLineEdit* m_oldPassword = nullptr;
    QLineEdit* m_newPassword = nullptr;
    QLineEdit* m_newPasswordAgain = nullptr;
    QCheckBox* m_keepPassword = nullptr;
    QPushButton* m_change = nullptr;
};

} // namespace murmex
