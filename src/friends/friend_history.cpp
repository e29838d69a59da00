#include "friends/friend_history.h"

#include "friends/friend_details_dlg.h"
#include "friends/friend_details_texts.h"
#include "friends/friend_notice_texts.h"
#include "model/data_manager.h"
#include "ui/local_text.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <utility>

namespace murmex {
namespace {

QLineEdit* ReadOnly() {
    auto* field = new QLineEdit;
    field->setReadOnly(true);
    return field;
}

} // namespace

CFriendHistory::CFriendHistory(CFriendDetailsDlg& dialog, QWidget* parent)
    : CSheetPage(parent), m_dialog(dialog) {
    m_list = new QListWidget;
    m_list->setAccessibleName(FromUtf8(kTextHistoryListName));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(m_list, &QListWidget::currentItemChanged, this,
            [this](QListWidgetItem* current) { ShowEntry(current); });

    m_nick = ReadOnly();
    m_email = ReadOnly();
    m_name = ReadOnly();
    m_surname = ReadOnly();
    // Two pairs side by side, so that the list and the text keep the room.
    auto* grid = new QGridLayout;
    const std::pair<std::string_view, QLineEdit*> fields[] = {{kTextFieldNick, m_nick},
                                                              {kTextFieldEMail, m_email},
                                                              {kTextFieldName, m_name},
                                                              {kTextFieldSurname, m_surname}};
    for (int i = 0; i < 4; ++i) {
        auto* label = new QLabel(FromUtf8(fields[i].first));
        label->setTextFormat(Qt::PlainText);
        label->setBuddy(fields[i].second);
        grid->addWidget(label, i / 2, (i % 2) * 2);
        grid->addWidget(fields[i].second, i / 2, (i % 2) * 2 + 1);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    auto* party = new QGroupBox(FromUtf8(kTextSenderRecipient));
    party->setLayout(grid);

    m_text = new QPlainTextEdit;
    m_text->setReadOnly(true);
    m_text->setAccessibleName(FromUtf8(kTextMessageGroup));

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(10, 10, 10, 6);
    column->addWidget(m_list, 1);
    column->addWidget(party);
    column->addWidget(m_text, 1);
}

void CFriendHistory::OnActivate() {
    Fill();
}

void CFriendHistory::Fill() {
    {
        const QSignalBlocker blocker(m_list);
        m_list->clear();
        for (const SMessageRow& row : m_dialog.Services().data.SenderMessageRows(m_dialog.Qid())) {
            auto* item = new QListWidgetItem(FromLocal(row.summary), m_list);
            item->setData(kIndexRole, row.index);
        }
    }
    m_text->clear();
    if (m_list->count() == 0)
        return;
    m_list->setCurrentRow(0); // shows it through currentItemChanged
    m_list->setFocus();
}

void CFriendHistory::ShowEntry(QListWidgetItem* item) {
    if (!item)
        return;
    CDataManager& data = m_dialog.Services().data;
    const int index = item->data(kIndexRole).toInt();
    const SUserData d = m_dialog.User().Snapshot();
    m_nick->setText(FromLocal(d.nick));
    m_email->setText(FromLocal(d.email));
    m_name->setText(FromLocal(d.name));
    m_surname->setText(FromLocal(d.surname));
    // The inbox belongs to the local user the window was opened for; after a
    // change of user its indexes mean other messages.
    if (!m_dialog.BelongsToCurrentUser())
        return;
    const std::optional<CMessageRecord> message = data.MessageAt(index);
    if (!message || message->Sender() != m_dialog.Qid()) {
        m_text->clear();
        return;
    }
    m_text->setPlainText(FromLocal(message->Text()));
    if (!message->IsRead())
        data.SetMessageRead(index);
    if (const std::optional<CMessageRecord> read = data.MessageAt(index))
        item->setText(FromLocal(read->Summary()));
}

} // namespace murmex
