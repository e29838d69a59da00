#pragma once

#include "ui/skin_dialog.h"

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

class QGridLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QVBoxLayout;

namespace murmex {

class CAnimation;
class CMessageWindows;
class CUserRecord;

// What the send-message and send-SMS windows share: the recipient's two
// fields, the text (at most 1000 characters), the animation that plays while
// a send is under way, "Info", "Anuluj", and the sending itself.
class CSendWindowBase : public CSkinDialog {
    Q_OBJECT

public:
    static constexpr int kMaxTextLength = 1000;
    enum class EKind { kMessage, kSms };

    // Addresses the window to a friend: names, a cleared text with the focus.
    // Ignored while a send is under way: that send goes to the friend it began with.
    void SetRecipient(int qid);
    int Recipient() const { return m_qid; }
    bool IsSending() const { return m_sending; }

    QLineEdit* RecipientName() const { return m_name; }
    QPlainTextEdit* TextEdit() const { return m_text; }
    QPushButton* InfoButton() const { return m_info; }
    QPushButton* CancelButton() const { return m_cancel; }
    CAnimation* Animation() const { return m_animation; }

protected:
    CSendWindowBase(CMessageWindows& windows, std::string_view detailLabelUtf8);

    // The second field: the e-mail or the service's cell phone number.
    virtual std::string DetailOf(const CUserRecord& user) const = 0;
    // After the recipient changed: enable what depends on it.
    virtual void RecipientChanged(const CUserRecord& user) = 0;

    // Sends the text to the recipient; on success stores it in the inbox and
    // closes the window, on failure says so and keeps the window and the text.
    void Send(EKind kind);
    // A button of the window's own; PlaceButtons puts them all in the column.
    static QPushButton* MakeButton(std::string_view textUtf8);
    void PlaceButtons(std::initializer_list<QPushButton*> buttons);

    CMessageWindows& m_windows;
    std::shared_ptr<CUserRecord> m_user;

private:
    void LimitText();
    void SetControlsEnabled(bool enabled);

    int m_qid = 0;
    bool m_sending = false;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_detail = nullptr;
    QPlainTextEdit* m_text = nullptr;
    QPushButton* m_info = nullptr;
    QPushButton* m_cancel = nullptr;
    QVBoxLayout* m_buttons = nullptr;
    CAnimation* m_animation = nullptr;
};

} // namespace murmex
