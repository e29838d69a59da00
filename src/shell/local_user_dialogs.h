#pragma once

#include "ui/skin_dialog.h"

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

class QListWidget;
class QPushButton;

namespace murmex {

class CDataManager;
class IMessageBox;
struct SChoice;

// The local users of this computer as a choice list: display text
// (Windows-1250) and QID, in the data manager's order.
std::vector<SChoice> LocalUserChoices(const CDataManager& data);

// A list of the local users with OK and "Anuluj". OK without a selected user
// shows the dialog's reminder and keeps it open; otherwise it gives the QID.
class CLocalUserListDialog : public CSkinDialog {
    Q_OBJECT

public:
    // 0 until a user has been chosen with OK.
    int ChosenQid() const { return m_chosen; }

    QListWidget* List() const { return m_list; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }

protected:
    CLocalUserListDialog(std::initializer_list<std::string_view> textsUtf8,
                         const std::vector<SChoice>& users, bool selectFirst,
                         std::string_view missingUtf8, IMessageBox& messageBox, QWidget* parent);

private:
    void Choose();

    IMessageBox& m_messageBox;
    std::string m_missing;
    QListWidget* m_list = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    int m_chosen = 0;
};

// Which local user to be: at start-up with several users, and "Zmień użytkownika".
class CChooseLocalUserDialog : public CLocalUserListDialog {
    Q_OBJECT

public:
    static constexpr int kResourceId = 245;

    CChooseLocalUserDialog(const std::vector<SChoice>& users, IMessageBox& messageBox,
                           QWidget* parent = nullptr);
};

// Which local user to remove from this computer; nothing is chosen beforehand.
class CDeleteLocalUserDialog : public CLocalUserListDialog {
    Q_OBJECT

public:
    static constexpr int kResourceId = 373;

    CDeleteLocalUserDialog(const std::vector<SChoice>& users, IMessageBox& messageBox,
                           QWidget* parent = nullptr);
};

} // namespace murmex
