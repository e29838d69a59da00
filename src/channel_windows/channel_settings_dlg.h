#pragma once

#include "model/channel_list.h"
#include "ui/skin_dialog.h"

#include <functional>
#include <string>

class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace murmex {

class CAnimation;
class CDataManager;
class IMessageBox;
struct SChosenUser;

struct SChannelSettingsServices {
    CDataManager& data;
    CChannelList& channels;
    IMessageBox& messageBox;
    std::function<void(int topic)> openHelp;
};

// The operator functions of one channel (261): topic, password and user limit,
// and the channel's operators. Modeless. Every change is the service's to
// accept: what it refuses is reported and left as it was on screen, so the
// window never shows a state the channel does not have.
class CChannelSettingsDlg : public CSkinDialog {
    Q_OBJECT

public:
    static constexpr int kResourceId = 261;
    static constexpr int kHelpTopic = 56;
    static constexpr int kMaxUsersLimit = 128;
    // Where an operator's QID is kept in the list's rows.
    static constexpr int kQidRole = Qt::UserRole;

    CChannelSettingsDlg(SChannelSettingsServices services, CChannelList::Record channel,
                        QWidget* parent = nullptr);
    ~CChannelSettingsDlg() override;

    // Fetches the channel's description, state, password and operators and
    // shows them. False when the service did not give all of them; the record
    // is then as it was.
    bool LoadFromService();
    // Shows the record's fields as it holds them, without the operators.
    void ShowChannel();
    // One row of the operator list; the texts are Windows-1250.
    void AddOperatorRow(int qid, const std::string& nick, const std::string& email);

    // "&Zastosuj", "&Dodaj" and "&Usuń".
    void Apply();
    void AddOperator();
    void RemoveOperator();

    int ChannelId() const;
    bool IsWorking() const { return m_working; }
    // The QIDs of the list's rows, top to bottom.
    std::vector<int> OperatorRows() const;
    // Refused while the service is asked.
    void reject() override;

    QLineEdit* NameEdit() const { return m_name; }
    QLineEdit* TopicEdit() const { return m_topic; }
    QLineEdit* PasswordEdit() const { return m_password; }
    QLineEdit* MaxUsersEdit() const { return m_maxUsers; }
    QTreeWidget* OperatorList() const { return m_operators; }
    QPushButton* ApplyButton() const { return m_apply; }
    QPushButton* AddButton() const { return m_add; }
    QPushButton* RemoveButton() const { return m_remove; }
    QPushButton* CloseDialogButton() const { return m_close; }
    CAnimation* Animation() const { return m_animation; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void SetWorking(bool on);
    // The QID that became an operator, or 0 when none could be added.
    int AddChosenOperator(const SChosenUser& chosen);
    QTreeWidgetItem* RowOf(int qid) const;
    void SizeColumns();

    SChannelSettingsServices m_services;
    CChannelList::Record m_channel;
    bool m_working = false;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_topic = nullptr;
    QLineEdit* m_password = nullptr;
    QLineEdit* m_maxUsers = nullptr;
    QTreeWidget* m_operators = nullptr;
    QPushButton* m_apply = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_remove = nullptr;
    QPushButton* m_close = nullptr;
    CAnimation* m_animation = nullptr;
};

} // namespace murmex
