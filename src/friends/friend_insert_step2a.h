#pragma once

#include "friends/friend_insert_page.h"

class QComboBox;
class QLineEdit;
class QPlainTextEdit;

namespace murmex {

// Page 317: a contact kept on this computer only, with its address and phone
// numbers (for text messages). The service never hears of it.
class CFriendInsertStep2A : public CFriendInsertPage {
    Q_OBJECT

public:
    static constexpr int kResourceId = kPageFriendLocal;
    static constexpr int kCellNumberLength = 6;

    explicit CFriendInsertStep2A(SFriendInsertState& state, QWidget* parent = nullptr);

    void OnActivate() override;
    int OnNext() override;
    int OnBack() override { return kPageFriendQuestion; }
    bool OnFinish() override;

    QLineEdit* NickEdit() const { return m_nick; }
    QLineEdit* EmailEdit() const { return m_email; }
    QLineEdit* NameEdit() const { return m_name; }
    QLineEdit* SurnameEdit() const { return m_surname; }
    QPlainTextEdit* AddressEdit() const { return m_address; }
    QLineEdit* PhoneEdit() const { return m_phone; }
    QComboBox* PrefixList() const { return m_prefix; }
    QLineEdit* CellEdit() const { return m_cell; }

private:
    // Copies the fields into the state's contact record.
    void Store();

    QLineEdit* m_nick = nullptr;
    QLineEdit* m_email = nullptr;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_surname = nullptr;
    QPlainTextEdit* m_address = nullptr;
    QLineEdit* m_phone = nullptr;
    QComboBox* m_prefix = nullptr;
    QLineEdit* m_cell = nullptr;
};

} // namespace murmex
