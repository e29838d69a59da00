#include "friends/message_list_dlg.h"

#include "friends/message_list_model.h"
#include "friends/message_text.h"
#include "friends/message_texts.h"
#include "friends/message_windows.h"
#include "model/data_manager.h"
#include "ui/local_text.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace murmex {
namespace {

QLineEdit* ReadOnlyLine() {
    auto* field = new QLineEdit;
    field->setReadOnly(true);
    return field;
}

void AddRow(QFormLayout* form, std::string_view labelText, QLineEdit* field) {
    auto* label = new QLabel(FromUtf8(labelText));
    label->setBuddy(field);
    field->setAccessibleName(label->text());
    form->addRow(label, field);
}

} // namespace

CMessageListDlg::CMessageListDlg(CMessageWindows& windows)
    : CSkinDialog(nullptr), m_windows(windows) {
    setWindowTitle(FromUtf8(kTextMessagesTitle));
    m_model = new CMessageListModel(windows.Services().data, this);
    m_list = new QListView;
    m_list->setModel(m_model);
    m_list->setAccessibleName(FromUtf8(kTextMessageList));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setViewMode(QListView::ListMode);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Every line is one text line high: the view then lays out thousands of
    // lines without asking each one for its size.
    m_list->setUniformItemSizes(true);
    QPalette face = m_list->palette();
    face.setColor(QPalette::Base, face.color(QPalette::Button));
    m_list->setPalette(face);
    m_list->setMinimumSize(380, 170);
    connect(m_list->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { OnRowChanged(current.row()); });

    m_nick = ReadOnlyLine();
    m_email = ReadOnlyLine();
    m_surname = ReadOnlyLine();
    m_name = ReadOnlyLine();
    auto* correspondent = new QGroupBox(FromUtf8(kTextCorrespondent));
    auto* form = new QFormLayout(correspondent);
    AddRow(form, kTextListNick, m_nick);
    AddRow(form, kTextListEmail, m_email);
    AddRow(form, kTextListSurname, m_surname);
    AddRow(form, kTextListName, m_name);

    m_text = new QPlainTextEdit;
    m_text->setReadOnly(true);
    m_text->setAccessibleName(FromUtf8(kTextMessageText));
    auto* messageGroup = new QGroupBox(FromUtf8(kTextMessageGroup));
    auto* messageColumn = new QVBoxLayout(messageGroup);
    messageColumn->addWidget(m_text);

    m_close = new QPushButton(FromUtf8(kTextClose));
    m_close->setMinimumWidth(85);
    m_close->setDefault(true);
    connect(m_close, &QPushButton::clicked, this, &CMessageListDlg::close);

    auto* details = new QHBoxLayout;
    details->addWidget(correspondent, 1);
    details->addWidget(messageGroup, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_close);
    auto* column = new QVBoxLayout(Body());
    column->setContentsMargins(12, 10, 12, 12);
    column->setSpacing(8);
    column->addWidget(m_list, 1);
    column->addLayout(details);
    column->addLayout(buttons);
}

void CMessageListDlg::Fill() {
    m_shown = -1;
    ClearFields();
    m_model->Reload();
    if (m_model->rowCount() == 0)
        return;
    // Selecting the row shows its entry through OnRowChanged.
    m_list->setCurrentIndex(m_model->index(0));
    m_list->setFocus();
}

void CMessageListDlg::OnRowChanged(int row) {
    if (row < 0)
        return;
    ShowEntry(row);
}

void CMessageListDlg::ClearFields() {
    for (QLineEdit* field : {m_nick, m_email, m_surname, m_name})
        field->clear();
    m_text->clear();
}

void CMessageListDlg::ShowEntry(int row) {
    CDataManager& data = m_windows.Services().data;
    const int index = m_model->MessageIndex(row);
    const std::optional<CMessageRecord> message = data.MessageAt(index);
    if (!message)
        return;
    m_shown = index;
    CDataManager::User user = data.CachedUser(message->Sender());
    if (!user)
        user = data.UserRecord(message->Sender());
    m_nick->setText(FromLocal(user->Nick()));
    m_email->setText(FromLocal(user->Email()));
    m_surname->setText(FromLocal(user->Surname()));
    m_name->setText(FromLocal(user->Name()));
    m_text->setPlainText(FromMessageText(message->Text()));
    // Saved only when something changed: most of a long history is read already.
    if (!message->IsRead()) {
        data.SetMessageRead(index);
        m_model->RewriteRow(row);
    }
}

} // namespace murmex
