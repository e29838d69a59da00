#include "friends/friend_notices.h"

#include "friends/add_group_dialog.h"
#include "friends/friend_notice_texts.h"
#include "friends/tree_texts.h"
#include "model/channel_list.h"
#include "model/channel_record.h"
#include "model/data_manager.h"
#include "model/model_texts.h"
#include "session/main_bar_texts.h"
#include "ui/dialog_parts.h"
#include "ui/local_text.h"
#include "ui/texts.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace murmex {
namespace {

// The first channel number that names a real channel; smaller chat values
// only say that the friend's chat is open somewhere else.
constexpr int kFirstChannelId = 2;

QLineEdit* ReadOnly(const QString& text) {
    auto* field = new QLineEdit(text);
    field->setReadOnly(true);
    field->setMinimumWidth(180);
    return field;
}

QString Label(std::string_view text) {
    return FromUtf8(text);
}

// The friend's QID, nick and e-mail, read-only, in a group "Znajomy". The
// record is the cached one when the friend is known, else fetched.
QGroupBox* FriendGroup(int qid, CDataManager& data) {
    CDataManager::User user = data.CachedUser(qid);
    if (!user)
        user = data.UserRecord(qid);
    auto* form = new QFormLayout;
    form->addRow(Label(kTextFieldQid), ReadOnly(QString::number(qid)));
    form->addRow(Label(kTextFieldNick), ReadOnly(user ? FromLocal(user->Nick()) : QString()));
    form->addRow(Label(kTextFieldEMail), ReadOnly(user ? FromLocal(user->Email()) : QString()));
    auto* group = new QGroupBox(FromUtf8(kTextMenuFriends));
    group->setLayout(form);
    return group;
}

QHBoxLayout* ButtonRow(std::initializer_list<QPushButton*> buttons) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QPushButton* button : buttons)
        row->addWidget(button);
    return row;
}

QVBoxLayout* BodyLayout(CSkinDialog* dialog) {
    auto* layout = new QVBoxLayout(dialog->Body());
    layout->setContentsMargins(14, 12, 14, 12);
    layout->setSpacing(10);
    return layout;
}

} // namespace

// --- friend appeared on the chat

CFriendOnlineDialog::CFriendOnlineDialog(int qid, CDataManager& data, CChannelList& channels,
                                         QWidget* parent)
    : CSkinDialog(parent), m_qid(qid) {
    setAttribute(Qt::WA_DeleteOnClose);
    CDataManager::User user = data.CachedUser(qid);
    if (!user)
        user = data.UserRecord(qid);
    const int chatValue = user ? user->ChatValue() : 0;

    QString channelText = FromUtf8(kTextOnNoChannel);
    if (chatValue >= kFirstChannelId) {
        m_channelId = chatValue;
        const CChannelList::Record channel = channels.Channel(chatValue);
        channelText =
            channel ? FromLocal(channel->Name()) : QString::fromLatin1(texts::kUnknownUser);
    }

    m_nick = ReadOnly(user ? FromLocal(user->Nick()) : QString());
    m_email = ReadOnly(user ? FromLocal(user->Email()) : QString());
    m_channel = ReadOnly(channelText);
    auto* form = new QFormLayout;
    form->addRow(Label(kTextFieldNick), m_nick);
    form->addRow(Label(kTextFieldEmail), m_email);
    form->addRow(Label(kTextFieldChannel), m_channel);

    m_talk = new QPushButton(FromUtf8(kTextTalk));
    m_talk->setEnabled(m_channelId != 0);
    m_details = new QPushButton(FromUtf8(kTextMoreData));
    m_ok = new QPushButton(FromUtf8(kTextOk));
    m_ok->setDefault(true);
    connect(m_talk, &QPushButton::clicked, this, [this] { emit TalkRequested(m_channelId); });
    connect(m_details, &QPushButton::clicked, this, [this] { emit DetailsRequested(m_qid); });
    connect(m_ok, &QPushButton::clicked, this, &CFriendOnlineDialog::accept);

    QVBoxLayout* layout = BodyLayout(this);
    layout->addWidget(dialog_parts::WrappedLabel(kTextFriendOnChat));
    layout->addLayout(form);
    layout->addLayout(ButtonRow({m_talk, m_details, m_ok}));
}

// --- friend added on the web

CNewFriendDialog::CNewFriendDialog(int qid, CDataManager& data, QWidget* parent)
    : CSkinDialog(parent), m_data(data) {
    setModal(true);
    m_prompt = [](QWidget* owner, QString& name) {
        CAddGroupDlg dialog(owner);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        name = dialog.GroupName();
        return true;
    };

    m_groups = new QComboBox;
    m_groups->setMinimumWidth(180);
    m_addGroup = new QPushButton(FromUtf8(kTextAddGroup));
    connect(m_addGroup, &QPushButton::clicked, this, &CNewFriendDialog::AddGroup);
    auto* choice = new QHBoxLayout;
    choice->addWidget(m_groups, 1);
    choice->addWidget(m_addGroup);
    auto* groupLayout = new QVBoxLayout;
    groupLayout->addWidget(dialog_parts::WrappedLabel(kTextChooseGroupForFriend));
    groupLayout->addLayout(choice);
    auto* group = new QGroupBox(FromUtf8(kTextGroup));
    group->setLayout(groupLayout);

    m_add = new QPushButton(FromUtf8(kTextAdd));
    m_add->setDefault(true);
    m_reject = new QPushButton(FromUtf8(kTextDelete));
    connect(m_add, &QPushButton::clicked, this, &CNewFriendDialog::Add);
    connect(m_reject, &QPushButton::clicked, this, [this] {
        m_answer = {SNewFriendAnswer::kReject, 0};
        accept();
    });

    QVBoxLayout* layout = BodyLayout(this);
    layout->addWidget(dialog_parts::WrappedLabel(kTextNewFriendOnWeb));
    layout->addWidget(FriendGroup(qid, data));
    layout->addWidget(group);
    layout->addLayout(ButtonRow({m_add, m_reject}));
    FillGroups();
}

void CNewFriendDialog::FillGroups() {
    m_groups->clear();
    for (const SChoice& group : m_data.GroupsChoice())
        m_groups->addItem(FromLocal(group.text), group.id);
    if (m_groups->count() > 0)
        m_groups->setCurrentIndex(0);
}

void CNewFriendDialog::AddGroup() {
    QString name;
    if (!m_prompt || !m_prompt(this, name))
        return;
    m_data.NewGroup(ToLocal(name));
    FillGroups();
    // The new group is the last one.
    m_groups->setCurrentIndex(m_groups->count() - 1);
}

void CNewFriendDialog::Add() {
    // Without a group there is nowhere to put the friend: the user may make
    // one, reject the friend or close the window.
    if (m_groups->currentIndex() < 0)
        return;
    m_answer = {SNewFriendAnswer::kAdd, m_groups->currentData().toInt()};
    accept();
}

// --- friend deleted on the web

CVanishedFriendDialog::CVanishedFriendDialog(int qid, CDataManager& data, QWidget* parent)
    : CSkinDialog(parent) {
    setModal(true);
    m_delete = new QPushButton(FromUtf8(kTextDelete));
    m_delete->setDefault(true);
    m_addBack = new QPushButton(FromUtf8(kTextAdd));
    connect(m_delete, &QPushButton::clicked, this, [this] {
        m_answer = EVanishedFriendAnswer::kDelete;
        accept();
    });
    connect(m_addBack, &QPushButton::clicked, this, [this] {
        m_answer = EVanishedFriendAnswer::kAddBack;
        accept();
    });

    QVBoxLayout* layout = BodyLayout(this);
    layout->addWidget(dialog_parts::WrappedLabel(kTextFriendDeletedOnWeb));
    layout->addWidget(dialog_parts::WrappedLabel(kTextDeleteOrAddBack));
    layout->addWidget(FriendGroup(qid, data));
    layout->addLayout(ButtonRow({m_delete, m_addBack}));
}

} // namespace murmex
