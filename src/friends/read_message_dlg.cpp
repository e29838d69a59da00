#include "friends/read_message_dlg.h"

#include "friends/group_choice_dialog.h"
#include "friends/message_text.h"
#include "friends/message_texts.h"
#include "friends/message_windows.h"
#include "model/data_manager.h"
#include "model/model_texts.h"
#include "ports/ui_interfaces.h"
#include "ui/local_text.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace murmex {
namespace {

QPushButton* Button(std::string_view text) {
    auto* button = new QPushButton(FromUtf8(text));
    button->setMinimumWidth(85);
    // Enter presses the window's chosen button, whichever one has the focus.
    button->setAutoDefault(false);
    return button;
}

QLineEdit* ReadOnlyLine() {
    auto* field = new QLineEdit;
    field->setReadOnly(true);
    field->setMinimumWidth(220);
    return field;
}

} // namespace

CReadMessageDlg::CReadMessageDlg(CMessageWindows& windows)
    : CSkinDialog(nullptr), m_windows(windows) {
    setWindowTitle(FromUtf8(kTextReadMessageTitle));
    m_nick = ReadOnlyLine();
    m_email = ReadOnlyLine();
    m_text = new QPlainTextEdit;
    m_text->setReadOnly(true);
    m_text->setMinimumSize(320, 150);
    auto* nickLabel = new QLabel(FromUtf8(kTextReadNick));
    auto* emailLabel = new QLabel(FromUtf8(kTextReadEmail));
    auto* textLabel = new QLabel(FromUtf8(kTextReadMessage));
    nickLabel->setBuddy(m_nick);
    emailLabel->setBuddy(m_email);
    textLabel->setBuddy(m_text);
    // A buddy names its field for the screen reader only with a mnemonic;
    // these labels have none.
    m_nick->setAccessibleName(nickLabel->text());
    m_email->setAccessibleName(emailLabel->text());
    m_text->setAccessibleName(textLabel->text());

    m_next = Button(kTextNextUnread);
    m_reply = Button(kTextReply);
    m_close = Button(kTextClose);
    m_addFriend = Button(kTextAddToFriends);
    m_addFriend->hide();
    SetDefaultButton(m_reply);
    connect(m_next, &QPushButton::clicked, this, &CReadMessageDlg::ShowNextUnread);
    connect(m_reply, &QPushButton::clicked, this, &CReadMessageDlg::Reply);
    connect(m_close, &QPushButton::clicked, this, &CReadMessageDlg::close);
    connect(m_addFriend, &QPushButton::clicked, this, &CReadMessageDlg::AddSenderToFriends);

    auto* form = new QFormLayout;
    form->addRow(nickLabel, m_nick);
    form->addRow(emailLabel, m_email);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_addFriend);
    buttons->addStretch();
    buttons->addWidget(m_next);
    buttons->addWidget(m_reply);
    buttons->addWidget(m_close);
    auto* column = new QVBoxLayout(Body());
    column->setContentsMargins(12, 10, 12, 12);
    column->setSpacing(8);
    column->addLayout(form);
    column->addWidget(textLabel);
    column->addWidget(m_text, 1);
    column->addLayout(buttons);
}

void CReadMessageDlg::ShowEntry(int messageIndex) {
    CDataManager& data = m_windows.Services().data;
    const std::optional<CMessageRecord> message = data.MessageAt(messageIndex);
    if (!message)
        return;
    m_index = messageIndex;
    m_senderQid = message->Sender();
    m_text->setPlainText(FromMessageText(message->Text()));

    // Only a record the data manager keeps counts as known: for a QID the
    // service does not know either it hands out a stand-in.
    m_sender = data.CachedUser(m_senderQid);
    if (!m_sender && data.UserRecord(m_senderQid))
        m_sender = data.CachedUser(m_senderQid);
    const QString unknown = QString::fromUtf8(texts::kUnknownUser);
    m_nick->setText(m_sender ? FromLocal(m_sender->Nick()) : unknown);
    m_email->setText(m_sender ? FromLocal(m_sender->Email()) : unknown);

    if (!message->IsRead())
        data.SetMessageRead(messageIndex);

    if (data.FirstUnread() < 0) {
        m_next->setEnabled(false);
        SetDefaultButton(m_close);
    } else {
        m_next->setEnabled(true);
    }
    // Once offered, the button stays for the later messages of this window.
    if (m_sender && !data.IsFriend(m_senderQid))
        m_addFriend->show();
}

void CReadMessageDlg::SetDefaultButton(QPushButton* button) {
    for (QPushButton* each : {m_next, m_reply, m_close, m_addFriend})
        each->setDefault(each == button);
}

void CReadMessageDlg::ShowNextUnread() {
    const int next = m_windows.Services().data.FirstUnread();
    if (next >= 0)
        ShowEntry(next);
}

void CReadMessageDlg::Reply() {
    if (!m_sender)
        return;
    m_windows.OpenMessageWindow(m_senderQid);
    hide();
}

void CReadMessageDlg::AddSenderToFriends() {
    CDataManager& data = m_windows.Services().data;
    IMessageBox& messageBox = m_windows.Services().messageBox;
    const int qid = m_senderQid;
    CGroupChoiceDialog choice(data.GroupsChoice(), this);
    if (choice.exec() != QDialog::Accepted)
        return;
    QPointer<CReadMessageDlg> self(this);
    Body()->setEnabled(false);
    const int group = choice.ChosenGroup();
    const bool added = group >= 0 && data.AddFriend(qid, group) == CDataManager::kDone;
    if (!added)
        messageBox.ShowMessage(kTextCannotAddToFriends);
    if (self)
        Body()->setEnabled(true);
}

} // namespace murmex
