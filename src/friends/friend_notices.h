#pragma once

#include "session/heartbeat_view.h"
#include "ui/skin_dialog.h"

#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace murmex {

class CChannelList;
class CDataManager;

// "Jeden z Twoich znajomych pojawił się na czacie.": shown without blocking
// when a friend starts chatting; several may be open at once. Entering the
// friend's channel and the details window are the main bar's to run.
class CFriendOnlineDialog : public CSkinDialog {
    Q_OBJECT

public:
    static constexpr int kResourceId = 320;

    // Fills itself at once; the record and the channel's name may be fetched
    // from the service.
    CFriendOnlineDialog(int qid, CDataManager& data, CChannelList& channels,
                        QWidget* parent = nullptr);

    int Qid() const { return m_qid; }
    QLineEdit* NickField() const { return m_nick; }
    QLineEdit* EmailField() const { return m_email; }
    QLineEdit* ChannelField() const { return m_channel; }
    QPushButton* TalkButton() const { return m_talk; }
    QPushButton* DetailsButton() const { return m_details; }
    QPushButton* OkButton() const { return m_ok; }

signals:
    // "Porozmawiaj": join the friend on this channel.
    void TalkRequested(int channelId);
    // "Dalsze dane": the friend details window on its first page.
    void DetailsRequested(int qid);

private:
    int m_qid;
    int m_channelId = 0;
    QLineEdit* m_nick = nullptr;
    QLineEdit* m_email = nullptr;
    QLineEdit* m_channel = nullptr;
    QPushButton* m_talk = nullptr;
    QPushButton* m_details = nullptr;
    QPushButton* m_ok = nullptr;
};

// A friend the service lists but no local group holds (added through the
// service's web pages): into which group, or off the service's list.
class CNewFriendDialog : public CSkinDialog {
    Q_OBJECT

public:
    static constexpr int kResourceId = 198;

    CNewFriendDialog(int qid, CDataManager& data, QWidget* parent = nullptr);

    // What the user decided; closing the window decides nothing.
    SNewFriendAnswer Answer() const { return m_answer; }
    QComboBox* GroupChoice() const { return m_groups; }
    QPushButton* AddButton() const { return m_add; }
    QPushButton* RejectButton() const { return m_reject; }
    QPushButton* AddGroupButton() const { return m_addGroup; }

    // Runs the group-name dialog: by default CAddGroupDlg, modal. Tests
    // replace it; false when cancelled.
    using GroupNamePrompt = std::function<bool(QWidget* parent, QString& name)>;
    void SetGroupNamePrompt(GroupNamePrompt prompt) { m_prompt = std::move(prompt); }

private:
    void FillGroups();
    void AddGroup();
    void Add();

    CDataManager& m_data;
    SNewFriendAnswer m_answer;
    GroupNamePrompt m_prompt;
    QComboBox* m_groups = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_reject = nullptr;
    QPushButton* m_addGroup = nullptr;
};

// A local friend the service no longer lists (deleted through the web pages
// or another computer): delete here too, or put back on the service's list.
class CVanishedFriendDialog : public CSkinDialog {
    Q_OBJECT

public:
    static constexpr int kResourceId = 249;

    CVanishedFriendDialog(int qid, CDataManager& data, QWidget* parent = nullptr);

    // Closing the window puts the friend back, as "Dodaj" does.
    EVanishedFriendAnswer Answer() const { return m_answer; }
    QPushButton* DeleteButton() const { return m_delete; }
    QPushButton* AddBackButton() const { return m_addBack; }

private:
    EVanishedFriendAnswer m_answer = EVanishedFriendAnswer::kAddBack;
    QPushButton* m_delete = nullptr;
    QPushButton* m_addBack = nullptr;
};

} // namespace murmex
