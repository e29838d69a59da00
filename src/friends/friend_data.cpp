#include "friends/friend_data.h"

#include "friends/friend_details_dlg.h"
#include "friends/friend_details_texts.h"
#include "friends/friend_notice_texts.h"
#include "model/channel_list.h"
#include "model/channel_record.h"
#include "model/data_manager.h"
#include "model/message_record.h"
#include "model/model_texts.h"
#include "platform/clock.h"
#include "protocol/request_engine.h"
#include "session/main_bar_texts.h"
#include "ui/local_text.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace murmex {
namespace {

// Chat values below this say only that the friend's chat is open somewhere,
// not on which channel.
constexpr int kFirstChannelId = 2;

QLabel* Label(std::string_view text, QWidget* buddy) {
    auto* label = new QLabel(FromUtf8(text));
    label->setTextFormat(Qt::PlainText);
    label->setBuddy(buddy);
    return label;
}

QLineEdit* Field(std::string_view accessibleName) {
    auto* field = new QLineEdit;
    field->setAccessibleName(FromUtf8(accessibleName));
    return field;
}

} // namespace

CFriendData::CFriendData(CFriendDetailsDlg& dialog, QWidget* parent)
    : CSheetPage(parent), m_dialog(dialog) {
    m_qid = Field(kTextFieldQid);
    m_qid->setReadOnly(true);
    m_nick = Field(kTextFieldNick);
    m_email = Field(kTextFieldEMail);
    m_name = Field(kTextFieldName);
    m_surname = Field(kTextFieldSurname);
    for (QLineEdit* brief : {m_nick, m_email, m_name, m_surname}) {
        brief->setReadOnly(true);
        connect(brief, &QLineEdit::textEdited, this, &CFriendData::BriefEdited);
    }

    m_prefix = new QComboBox;
    m_prefix->setAccessibleName(FromUtf8(kTextCellPrefixName));
    for (const char* prefix : kPrefixes)
        m_prefix->addItem(QString::fromLatin1(prefix));
    m_prefix->setCurrentIndex(-1);
    m_number = Field(kTextCellNumberName);
    m_number->setMaxLength(kNumberLength);
    m_number->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), m_number));
    connect(m_prefix, &QComboBox::currentIndexChanged, this, &CFriendData::CellPhoneEdited);
    connect(m_number, &QLineEdit::textEdited, this, &CFriendData::CellPhoneEdited);

    m_showAs = new QComboBox;
    m_showAs->setEditable(true);
    m_showAs->setInsertPolicy(QComboBox::NoInsert);
    m_showAs->setAccessibleName(FromUtf8(kTextShowAs));
    connect(m_showAs, &QComboBox::editTextChanged, this, &CFriendData::ShowAsEdited);

    auto* grid = new QGridLayout;
    grid->setContentsMargins(0, 0, 0, 0);
    int row = 0;
    m_qidLabel = Label(kTextFieldQid, m_qid);
    grid->addWidget(m_qidLabel, row, 0);
    grid->addWidget(m_qid, row++, 1);
    grid->addWidget(Label(kTextFieldNick, m_nick), row, 0);
    grid->addWidget(m_nick, row++, 1);
    grid->addWidget(Label(kTextFieldEMail, m_email), row, 0);
    grid->addWidget(m_email, row++, 1);
    grid->addWidget(Label(kTextFieldName, m_name), row, 0);
    grid->addWidget(m_name, row++, 1);
    grid->addWidget(Label(kTextFieldSurname, m_surname), row, 0);
    grid->addWidget(m_surname, row++, 1);
    auto* phone = new QHBoxLayout;
    auto* country = new QLabel(FromUtf8(kTextCountryCode));
    country->setTextFormat(Qt::PlainText);
    phone->addWidget(country);
    phone->addWidget(m_prefix);
    phone->addWidget(m_number, 1);
    grid->addWidget(Label(kTextFieldCellPhone, m_prefix), row, 0);
    grid->addLayout(phone, row++, 1);
    m_showAsLabel = Label(kTextShowAs, m_showAs);
    grid->addWidget(m_showAsLabel, row, 0);
    grid->addWidget(m_showAs, row++, 1);
    grid->setColumnStretch(1, 1);

    m_status = Field(kTextStatusName);
    m_status->setReadOnly(true);
    m_chat = new QPushButton(FromUtf8(kTextChat));
    connect(m_chat, &QPushButton::clicked, this, &CFriendData::Chat);
    m_statusGroup = new QGroupBox(FromUtf8(kTextStatusGroup));
    auto* statusRow = new QHBoxLayout(m_statusGroup);
    statusRow->addWidget(m_status, 1);
    statusRow->addWidget(m_chat);

    m_message = new QPlainTextEdit;
    m_message->setAccessibleName(FromUtf8(kTextMessageName));
    m_message->setTabChangesFocus(true);
    connect(m_message, &QPlainTextEdit::textChanged, this, &CFriendData::MessageEdited);
    auto* leftCaption = new QLabel(FromUtf8(kTextCharsLeft));
    leftCaption->setTextFormat(Qt::PlainText);
    m_left = new QLabel;
    m_left->setTextFormat(Qt::PlainText);
    m_left->setAccessibleName(FromUtf8(kTextCharsLeft));
    leftCaption->setBuddy(m_message);
    m_sendSms = new QPushButton(FromUtf8(kTextSendSms));
    m_sendMessage = new QPushButton(FromUtf8(kTextSendMessage));
    connect(m_sendSms, &QPushButton::clicked, this, &CFriendData::SendSms);
    connect(m_sendMessage, &QPushButton::clicked, this, &CFriendData::SendMessage);
    auto* messageGroup = new QGroupBox(FromUtf8(kTextMessageGroup));
    auto* messageColumn = new QVBoxLayout(messageGroup);
    messageColumn->addWidget(m_message, 1);
    auto* countRow = new QHBoxLayout;
    countRow->addWidget(leftCaption);
    countRow->addWidget(m_left);
    countRow->addStretch();
    messageColumn->addLayout(countRow);
    auto* sendRow = new QHBoxLayout;
    sendRow->addStretch();
    sendRow->addWidget(m_sendSms);
    sendRow->addWidget(m_sendMessage);
    messageColumn->addLayout(sendRow);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(10, 10, 10, 6);
    column->addLayout(grid);
    column->addWidget(m_statusGroup);
    column->addWidget(messageGroup, 1);
}

void CFriendData::OnActivate() {
    if (!m_filled) {
        m_filled = true;
        Fill();
    }
    UpdateSendButtons();
}

std::string CFriendData::JoinCellPhone(const std::string& prefix, const std::string& number) {
    if (prefix.empty() || number.size() != static_cast<std::size_t>(kNumberLength))
        return {};
    return "0" + prefix + number;
}

QString CFriendData::StatusText(bool inChat, bool runningProgram, const QString& channel) {
    if (inChat)
        return FromUtf8(runningProgram ? kTextChattingWithProgram : kTextChatting).arg(channel);
    return FromUtf8(runningProgram ? kTextProgramRunning : kTextNotLoggedIn);
}

int CFriendData::CharactersLeft() const {
    return kMaxMessage - static_cast<int>(m_message->toPlainText().size());
}

void CFriendData::Fill() {
    m_filling = true;
    const SUserData d = m_dialog.User().Snapshot();
    m_qid->setText(QString::number(d.qid));
    m_nick->setText(FromLocal(d.nick));
    m_email->setText(FromLocal(d.email));
    m_name->setText(FromLocal(d.name));
    m_surname->setText(FromLocal(d.surname));
    m_showAs->clear();
    for (const std::string* text : {&d.nick, &d.email, &d.name, &d.surname})
        m_showAs->addItem(FromLocal(*text));
    m_showAs->setEditText(FromLocal(d.display));
    m_prefix->setCurrentIndex(
        m_prefix->findText(FromLocal(CUserRecord::CellPrefix(d.localCellPhone))));
    m_number->setText(FromLocal(CUserRecord::CellNumber(d.localCellPhone)));
    m_filling = false;
    FillStatus();
    ApplyLocalContactRules();
    UpdateCount();
    raise();
}

void CFriendData::ApplyLocalContactRules() {
    const bool contact = m_dialog.IsLocalContact();
    for (QLineEdit* brief : {m_nick, m_email, m_name, m_surname})
        brief->setReadOnly(!contact);
    if (!contact)
        return;
    for (QWidget* off : std::initializer_list<QWidget*>{m_chat, m_status, m_sendMessage, m_showAs,
                                                        m_showAsLabel, m_qid, m_qidLabel})
        off->setEnabled(false);
}

void CFriendData::FillStatus() {
    const SUserData d = m_dialog.User().Snapshot();
    QString channel = QString::fromLatin1(texts::kUnknownUser);
    if (d.inChat && d.chatValue >= kFirstChannelId) {
        // May ask the service for a channel not met before.
        if (CChannelList::Record record = m_dialog.Services().channels.Channel(d.chatValue))
            channel = FromLocal(record->Name());
    }
    m_status->setText(StatusText(d.inChat, d.runningProgram, channel));
    m_status->setCursorPosition(0);
    m_chat->setEnabled(d.inChat && !m_dialog.IsLocalContact());
}

void CFriendData::UpdateCount() {
    m_left->setText(QString::number(CharactersLeft()));
}

void CFriendData::UpdateSendButtons() {
    const bool online = m_dialog.IsOnline();
    m_sendSms->setEnabled(online && m_dialog.User().CanReceiveSms());
    m_sendMessage->setEnabled(online && !m_dialog.IsLocalContact());
}

void CFriendData::BriefEdited() {
    if (m_filling || !m_dialog.IsLocalContact())
        return;
    CUserRecord& user = m_dialog.User();
    user.SetNick(ToLocal(m_nick->text()));
    user.SetEmail(ToLocal(m_email->text()));
    user.SetName(ToLocal(m_name->text()));
    user.SetSurname(ToLocal(m_surname->text()));
}

void CFriendData::ShowAsEdited(const QString& text) {
    if (m_filling || m_dialog.IsLocalContact())
        return;
    m_dialog.User().SetDisplay(ToLocal(text));
}

void CFriendData::CellPhoneEdited() {
    if (m_filling)
        return;
    m_dialog.User().SetLocalCellPhone(
        JoinCellPhone(ToLocal(m_prefix->currentText()), ToLocal(m_number->text())));
    UpdateSendButtons();
}

void CFriendData::MessageEdited() {
    // Pasted text longer than the service takes is cut at the limit.
    const QString text = m_message->toPlainText();
    if (text.size() > kMaxMessage) {
        const QSignalBlocker blocker(m_message);
        m_message->setPlainText(text.left(kMaxMessage));
        m_message->moveCursor(QTextCursor::End);
    }
    UpdateCount();
}

void CFriendData::SendMessage() {
    Send(false);
}

void CFriendData::SendSms() {
    Send(true);
}

void CFriendData::Send(bool sms) {
    if (m_dialog.IsWaiting())
        return;
    const QString text = m_message->toPlainText();
    if (text.isEmpty()) {
        m_dialog.ShowMessage(kTextEmptyMessage);
        return;
    }
    CDataManager& data = m_dialog.Services().data;
    // A window left over from another local user sends nothing on its behalf.
    if (!m_dialog.BelongsToCurrentUser()) {
        m_dialog.ShowMessage(kTextCannotSendMessage);
        return;
    }
    const std::shared_ptr<CUserRecord> user = m_dialog.SharedUser();
    const std::string local = ToLocal(text);
    QPointer<CFriendData> self(this);
    m_dialog.BeginWait();
    const bool sent =
        sms ? user->SendSms(data.Engine(), local) : user->SendMessage(data.Engine(), local);
    if (!self)
        return;
    m_dialog.EndWait();
    if (sent) {
        CMessageRecord entry;
        entry.SetContent(local, user->Qid(), m_dialog.Services().clock.WallSeconds());
        entry.SetType(sms ? CMessageRecord::SentSms : CMessageRecord::Sent);
        if (m_dialog.BelongsToCurrentUser())
            data.AddMessage(std::move(entry));
        m_message->clear();
        UpdateCount();
    }
    ApplyLocalContactRules();
    UpdateSendButtons();
    m_dialog.ShowMessage(sent ? kTextMessageSent : kTextCannotSendMessage);
}

void CFriendData::Chat() {
    const int channel = m_dialog.User().ChatValue();
    if (!m_dialog.BelongsToCurrentUser() || !m_dialog.Services().data.EnterChannel(channel))
        m_dialog.ShowMessage(kTextCannotChangeChannel);
}

} // namespace murmex
