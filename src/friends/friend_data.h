#pragma once

#include "ui/sheet_page.h"

#include <string>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace murmex {

class CFriendDetailsDlg;

// "Dane": who the friend is, the local cell phone number and display name,
// the friend's presence with the way onto the friend's channel, and a message
// or SMS sent straight from here. A local contact's brief data is edited
// here; a service user's is the service's.
class CFriendData : public CSheetPage {
    Q_OBJECT

public:
    static constexpr int kResourceId = 318;
    // The longest message the service takes.
    static constexpr int kMaxMessage = 1000;
    // The operator prefixes offered for a Polish cell phone number.
    static constexpr const char* kPrefixes[] = {"501", "502", "601", "602", "603",
                                                "604", "605", "606", "608"};
    static constexpr int kNumberLength = 6;

    explicit CFriendData(CFriendDetailsDlg& dialog, QWidget* parent = nullptr);

    // Fills the page the first time it is shown.
    void OnActivate() override;

    // "0" + prefix + number when a prefix is chosen and the number has all
    // its digits; otherwise empty (no number stored).
    static std::string JoinCellPhone(const std::string& prefix, const std::string& number);
    // The status line for the friend's presence; `channel` names the channel.
    static QString StatusText(bool inChat, bool runningProgram, const QString& channel);

    int CharactersLeft() const;
    // "Wyślij wiadomość" and "Wyślij SMS".
    void SendMessage();
    void SendSms();
    // "Czatuj".
    void Chat();

    QLineEdit* QidField() const { return m_qid; }
    QLineEdit* NickField() const { return m_nick; }
    QLineEdit* EmailField() const { return m_email; }
    QLineEdit* SurnameField() const { return m_surname; }
    QComboBox* PrefixChoice() const { return m_prefix; }
    QLineEdit* NumberField() const { return m_number; }
    QComboBox* ShowAsChoice() const { return m_showAs; }
    QLineEdit* StatusField() const { return m_status; }
    QPushButton* ChatButton() const { return m_chat; }
    QPlainTextEdit* MessageField() const { return m_message; }
    QLabel* CharactersLeftLabel() const { return m_left; }
    QPushButton* SendSmsButton() const { return m_sendSms; }
    QPushButton* SendMessageButton() const { return m_sendMessage; }

private:
    void Fill();
    void ApplyLocalContactRules();
    void FillStatus();
    void UpdateCount();
    void UpdateSendButtons();
    void BriefEdited();
    void ShowAsEdited(const QString& text);
    void CellPhoneEdited();
    void MessageEdited();
    void Send(bool sms);

    CFriendDetailsDlg& m_dialog;
    bool m_filled = false;
    bool m_filling = false;
    QLineEdit* m_qid = nullptr;
    QLabel* m_qidLabel = nullptr;
    QLineEdit* m_nick = nullptr;
    QLineEdit* m_email = nullptr;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_surname = nullptr;
    QComboBox* m_prefix = nullptr;
    QLineEdit* m_number = nullptr;
    QComboBox* m_showAs = nullptr;
    QLabel* m_showAsLabel = nullptr;
    QGroupBox* m_statusGroup = nullptr;
    QLineEdit* m_status = nullptr;
    QPushButton* m_chat = nullptr;
    QPlainTextEdit* m_message = nullptr;
    QLabel* m_left = nullptr;
    QPushButton* m_sendSms = nullptr;
    QPushButton* m_sendMessage = nullptr;
};

} // namespace murmex
