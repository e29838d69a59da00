#include "friends/message_windows.h"

#include "friends/message_list_dlg.h"
#include "friends/read_message_dlg.h"
#include "friends/send_message_dlg.h"
#include "friends/send_sms_dlg.h"

namespace murmex {

CMessageWindows::CMessageWindows(SMessageWindowServices services)
    : m_services(std::move(services)) {}

CMessageWindows::~CMessageWindows() {
    for (QPointer<QWidget>& window : m_slots)
        delete window.data();
}

template <class T> T* CMessageWindows::Window(int slot) {
    QPointer<QWidget>& held = m_slots[static_cast<std::size_t>(slot)];
    if (held && held->isVisible()) {
        if (held->isMinimized())
            held->showNormal();
        held->raise();
        held->activateWindow();
        return static_cast<T*>(held.data());
    }
    if (held) {
        // Later, not now: the hidden window may be the one whose handler is
        // asking (a read window that hid itself, a send that is returning).
        held->deleteLater();
        held.clear();
    }
    auto* window = new T(*this);
    held = window;
    if (m_services.place)
        m_services.place(window);
    return window;
}

CMessageListDlg* CMessageWindows::MessageList() {
    const bool fresh = !m_slots[kSlotMessageList] || !m_slots[kSlotMessageList]->isVisible();
    auto* list = Window<CMessageListDlg>(kSlotMessageList);
    if (fresh)
        Present(list);
    return list;
}

CReadMessageDlg* CMessageWindows::ReadWindow() {
    return Window<CReadMessageDlg>(kSlotReadWindow);
}

CSendMessageDlg* CMessageWindows::SendMessageWindow() {
    return Window<CSendMessageDlg>(kSlotSendMessage);
}

CSendSmsDlg* CMessageWindows::SendSmsWindow() {
    return Window<CSendSmsDlg>(kSlotSendSms);
}

QWidget* CMessageWindows::Existing(int slot) const {
    if (slot < 0 || slot >= kSlotCount)
        return nullptr;
    return m_slots[static_cast<std::size_t>(slot)].data();
}

void CMessageWindows::Present(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
}

void CMessageWindows::OpenMessageList() {
    CMessageListDlg* list = MessageList();
    list->Fill();
    Present(list);
}

void CMessageWindows::OpenReadWindow(int messageIndex) {
    CReadMessageDlg* read = ReadWindow();
    read->ShowEntry(messageIndex);
    Present(read);
}

void CMessageWindows::OpenMessageWindow(int qid) {
    CSendMessageDlg* send = SendMessageWindow();
    send->SetRecipient(qid);
    Present(send);
}

void CMessageWindows::OpenSmsWindow(int qid) {
    CSendSmsDlg* send = SendSmsWindow();
    send->SetRecipient(qid);
    Present(send);
}

void CMessageWindows::CloseAll() {
    for (QPointer<QWidget>& window : m_slots)
        if (window)
            window->close();
}

} // namespace murmex
