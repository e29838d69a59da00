#include "friends/message_text.h"
#include "model/data_manager.h"
#include "model/message_record.h"
#include "model/model_texts.h"
#include "model/user_record.h"
#include "session/app_context.h"
#include "session/main_bar_texts.h"
#include "shell/desktop_notifier.h"
#include "shell/main_bar.h"
#include "shell/window_router.h"
#include "ui/local_text.h"

namespace murmex {
namespace {

// The name a notice is headed with: the friend's display name as the data
// manager keeps it. A notice never waits on the service for a record.
QString SenderName(const CDataManager& data, int qid) {
    const CDataManager::User user = data.CachedUser(qid);
    if (!user)
        return QString::fromUtf8(texts::kUnknownUser);
    return FromLocal(user->DisplayName());
}

} // namespace

void CWindowRouter::SetDesktopNotifier(std::unique_ptr<CDesktopNotifier> notifier) {
    m_notifier = std::move(notifier);
}

bool CWindowRouter::DesktopNoticeWanted() const {
    if (!m_notifier || !DesktopNotificationsOn())
        return false;
    // The user sees the event in the bar itself while it is the active window.
    return m_bar.IsMainBarHidden() || !m_bar.isActiveWindow();
}

void CWindowRouter::NotifyNewMessage(int messageIndex) {
    if (!DesktopNoticeWanted())
        return;
    const std::optional<CMessageRecord> message = m_ctx.data.MessageAt(messageIndex);
    if (!message)
        return;
    m_notifier->Notify(
        SenderName(m_ctx.data, message->Sender()),
        CDesktopNotifier::FirstWords(FromMessageText(message->Text())), FromUtf8(kTextNoticeRead),
        [this, messageIndex, sender = message->Sender(), sent = message->SentTime(),
         text = message->Text()] {
            // Messages deleted since move the later ones up: a
            // position that no longer holds this message opens
            // the list rather than someone else's message.
            const std::optional<CMessageRecord> now = m_ctx.data.MessageAt(messageIndex);
            if (now && now->Sender() == sender && now->SentTime() == sent && now->Text() == text)
                OpenReadWindow(messageIndex);
            else
                OpenMessageList();
        });
}

void CWindowRouter::NotifyFriendOnline(int qid) {
    if (!DesktopNoticeWanted())
        return;
    m_notifier->Notify(SenderName(m_ctx.data, qid), FromUtf8(kTextNoticeFriendOnline),
                       FromUtf8(kTextNoticeShow), [this] {
                           m_bar.ShowMainBar(true);
                           m_bar.raise();
                           m_bar.activateWindow();
                       });
}

} // namespace murmex
