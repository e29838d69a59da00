#include "friends/friend_events.h"

#include "friends/friend_details_dlg.h"
#include "friends/friend_details_texts.h"
#include "model/data_manager.h"
#include "ui/local_text.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace murmex {

CFriendEvents::CFriendEvents(CFriendDetailsDlg& dialog, QWidget* parent)
    : CSheetPage(parent), m_dialog(dialog) {
    m_notify = new QCheckBox(FromUtf8(kTextNotifyMe));
    m_methodLabel = new QLabel(FromUtf8(kTextNotifyBy));
    m_methodLabel->setTextFormat(Qt::PlainText);
    m_email = new QCheckBox(FromUtf8(kTextByEmail));
    m_sms = new QCheckBox(FromUtf8(kTextBySms));
    // The main box only opens the methods; a method box tells the service.
    connect(m_notify, &QCheckBox::clicked, this, &CFriendEvents::UpdateMethods);
    connect(m_email, &QCheckBox::clicked, this, &CFriendEvents::ApplyMethods);
    connect(m_sms, &QCheckBox::clicked, this, &CFriendEvents::ApplyMethods);

    auto* note = new QLabel(FromUtf8(kTextSmsNeedsNumber));
    note->setTextFormat(Qt::PlainText);
    note->setWordWrap(true);

    auto* group = new QGroupBox(FromUtf8(kTextNotifyGroup));
    auto* inner = new QVBoxLayout(group);
    inner->addWidget(m_notify);
    inner->addSpacing(6);
    inner->addWidget(m_methodLabel);
    auto* methods = new QVBoxLayout;
    methods->setContentsMargins(20, 0, 0, 0);
    methods->addWidget(m_email);
    methods->addWidget(m_sms);
    inner->addLayout(methods);
    inner->addSpacing(10);
    inner->addWidget(note);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(10, 10, 10, 6);
    column->addWidget(group);
    column->addStretch(1);
}

void CFriendEvents::OnActivate() {
    const CUserRecord& user = m_dialog.User();
    const QSignalBlocker b1(m_notify), b2(m_email), b3(m_sms);
    m_email->setChecked(user.OnEnterEmailFlag());
    m_sms->setChecked(user.OnEnterSmsFlag());
    m_notify->setChecked(user.OnEnterEmailFlag() || user.OnEnterSmsFlag());
    UpdateMethods();
}

void CFriendEvents::UpdateMethods() {
    const bool on = m_notify->isChecked();
    // The service can text the local user only when it knows the user's cell phone.
    CDataManager& data = m_dialog.Services().data;
    const CDataManager::User self = data.LocalUser(data.CurrentLocalUser());
    const bool canText = self && self->HasRemoteCellPhone();
    m_methodLabel->setEnabled(on);
    m_email->setEnabled(on);
    m_sms->setEnabled(on && canText);
}

void CFriendEvents::ApplyMethods() {
    if (!m_dialog.BelongsToCurrentUser())
        return;
    const bool on = m_notify->isChecked();
    const bool email = on && m_email->isChecked();
    const bool sms = on && m_sms->isChecked();
    const std::shared_ptr<CUserRecord> user = m_dialog.SharedUser();
    CDataManager& data = m_dialog.Services().data;
    const bool changed = user->OnEnterEmailFlag() != email || user->OnEnterSmsFlag() != sms;
    if (!changed)
        return;
    // The boxes wait with the rest of the window: a second click while the
    // service answers would only race the first.
    QPointer<CFriendDetailsDlg> dialog(&m_dialog);
    m_dialog.BeginWait();
    // Each sends only when its flag changes; the service's answer is not reported.
    user->SetOnEnterEmail(data.Engine(), email);
    user->SetOnEnterSms(data.Engine(), sms);
    // The flags are the service's now, confirmed or not: keep the file in step.
    data.Save();
    if (dialog)
        dialog->EndWait();
}

} // namespace murmex
