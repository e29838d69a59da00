#include "friends/send_window_base.h"

#include "friends/message_text.h"
#include "friends/message_texts.h"
#include "friends/message_windows.h"
#include "model/data_manager.h"
#include "model/message_record.h"
#include "platform/clock.h"
#include "ports/ui_interfaces.h"
#include "ui/animation.h"
#include "ui/image_button.h"
#include "ui/local_text.h"
#include "ui/texts.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTextCursor>
#include <QVBoxLayout>

namespace murmex {

CSendWindowBase::CSendWindowBase(CMessageWindows& windows, std::string_view detailLabelUtf8)
    : CSkinDialog(nullptr), m_windows(windows) {
    auto* recipientLabel = new QLabel(FromUtf8(kTextRecipient));
    m_name = new QLineEdit;
    m_name->setReadOnly(true);
    recipientLabel->setBuddy(m_name);
    m_detail = new QLineEdit;
    m_detail->setReadOnly(true);
    m_detail->setAccessibleName(FromUtf8(detailLabelUtf8));
    m_text = new QPlainTextEdit;
    m_text->setAccessibleName(FromUtf8(kTextMessageText));
    m_text->setTabChangesFocus(true);
    m_text->setMinimumSize(300, 140);
    connect(m_text, &QPlainTextEdit::textChanged, this, &CSendWindowBase::LimitText);

    m_cancel = MakeButton(kTextCancel);
    m_info = MakeButton(kTextInfo);
    connect(m_cancel, &QPushButton::clicked, this, &CSendWindowBase::close);
    connect(m_info, &QPushButton::clicked, this, [this] {
        if (m_qid != 0 && m_windows.Services().openFriendDetails)
            m_windows.Services().openFriendDetails(m_qid, kDetailsPageData);
    });

    m_animation = new CAnimation;
    m_animation->setAccessibleName(FromUtf8(kTextSending));
    m_animation->OpenLogo();

    auto* grid = new QGridLayout(Body());
    grid->setContentsMargins(12, 10, 12, 12);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(8);
    auto* recipientRow = new QHBoxLayout;
    recipientRow->addWidget(recipientLabel);
    recipientRow->addWidget(m_name, 1);
    recipientRow->addWidget(m_detail, 1);
    grid->addLayout(recipientRow, 0, 0);
    grid->addWidget(m_text, 1, 0);
    m_buttons = new QVBoxLayout;
    m_buttons->setSpacing(6);
    grid->addLayout(m_buttons, 0, 1, 2, 1);
    grid->setRowStretch(1, 1);
    grid->setColumnStretch(0, 1);
}

QPushButton* CSendWindowBase::MakeButton(std::string_view textUtf8) {
    auto* button = new QPushButton(FromUtf8(textUtf8));
    button->setMinimumWidth(85);
    // Only the window's chosen button answers Enter, not whichever has the focus.
    button->setAutoDefault(false);
    return button;
}

void CSendWindowBase::PlaceButtons(std::initializer_list<QPushButton*> buttons) {
    for (QPushButton* button : buttons)
        m_buttons->addWidget(button);
    m_buttons->addStretch();
    m_buttons->addWidget(m_animation, 0, Qt::AlignHCenter);
}

void CSendWindowBase::SetRecipient(int qid) {
    if (m_sending)
        return;
    CDataManager& data = m_windows.Services().data;
    m_user = data.CachedUser(qid);
    if (!m_user)
        m_user = data.UserRecord(qid);
    m_qid = qid;
    m_name->setText(FromLocal(m_user->DisplayName()));
    m_detail->setText(FromLocal(DetailOf(*m_user)));
    m_text->clear();
    RecipientChanged(*m_user);
    m_text->setFocus();
}

void CSendWindowBase::LimitText() {
    const int excess = static_cast<int>(m_text->toPlainText().size()) - kMaxTextLength;
    if (excess <= 0)
        return;
    // Take back what was just typed or pasted, which ends at the cursor.
    QTextCursor cursor = m_text->textCursor();
    const int end = cursor.position() >= excess ? cursor.position()
                                                : static_cast<int>(m_text->toPlainText().size());
    cursor.setPosition(end - excess);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    m_text->setTextCursor(cursor);
}

void CSendWindowBase::SetControlsEnabled(bool enabled) {
    Body()->setEnabled(enabled);
    if (CloseButton())
        CloseButton()->setEnabled(enabled);
}

void CSendWindowBase::Send(EKind kind) {
    if (m_sending || !m_user)
        return;
    // The text goes as typed: an empty one is sent too.
    const std::string text = ToMessageText(m_text->toPlainText());
    // What the send needs once it returns is held here: the window may be gone by then.
    CDataManager& data = m_windows.Services().data;
    CRequestEngine& engine = m_windows.Services().engine;
    IMessageBox& messageBox = m_windows.Services().messageBox;
    const IClock& clock = m_windows.Services().clock;
    const std::shared_ptr<CUserRecord> user = m_user;
    const int qid = m_qid;
    const int localUser = data.CurrentLocalUser();

    m_sending = true;
    SetControlsEnabled(false);
    m_animation->Play();
    QPointer<CSendWindowBase> self(this);
    const bool sent =
        kind == EKind::kMessage ? user->SendMessage(engine, text) : user->SendSms(engine, text);
    // A message that went out belongs in the history of the user who sent it,
    // even when the window was closed meanwhile; never in another user's.
    if (sent && data.CurrentLocalUser() == localUser) {
        CMessageRecord record;
        record.SetContent(text, qid, clock.WallSeconds());
        record.SetType(kind == EKind::kMessage ? CMessageRecord::Sent : CMessageRecord::SentSms);
        data.AddMessage(std::move(record));
    }
    if (!self)
        return;
    if (!sent) {
        messageBox.ShowMessage(kTextCannotSendMessage);
        if (!self)
            return;
    }
    m_sending = false;
    SetControlsEnabled(true);
    m_animation->Stop();
    if (sent)
        close();
}

} // namespace murmex
