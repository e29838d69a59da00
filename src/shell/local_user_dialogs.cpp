#include "shell/local_user_dialogs.h"

#include "model/data_manager.h"
#include "ports/ui_interfaces.h"
#include "session/app_texts.h"
#include "ui/dialog_parts.h"
#include "ui/local_text.h"
#include "ui/texts.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace murmex {

std::vector<SChoice> LocalUserChoices(const CDataManager& data) {
    std::vector<SChoice> choices;
    for (const CDataManager::User& user : data.LocalUsers())
        choices.push_back({user->Qid(), user->DisplayName()});
    return choices;
}

CLocalUserListDialog::CLocalUserListDialog(std::initializer_list<std::string_view> textsUtf8,
                                           const std::vector<SChoice>& users, bool selectFirst,
                                           std::string_view missingUtf8, IMessageBox& messageBox,
                                           QWidget* parent)
    : CSkinDialog(parent), m_messageBox(messageBox), m_missing(missingUtf8) {
    setModal(true);
    auto* column = dialog_parts::BodyColumn(Body());
    QLabel* prompt = nullptr;
    for (std::string_view text : textsUtf8) {
        prompt = dialog_parts::TextLabel(text);
        column->addWidget(prompt);
    }

    m_list = new QListWidget;
    // The last text asks for the choice: it names the list (a list view is
    // named by its own name only, never by a label's buddy).
    if (prompt)
        m_list->setAccessibleName(prompt->text());
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    // A handful of users on one computer: room for about six without scrolling.
    m_list->setFixedHeight(m_list->fontMetrics().height() * 6 + 2 * m_list->frameWidth() + 8);
    for (const SChoice& user : users) {
        auto* item = new QListWidgetItem(FromLocal(user.text), m_list);
        item->setData(Qt::UserRole, user.id);
    }
    if (selectFirst && m_list->count() > 0)
        m_list->setCurrentRow(0);
    else
        m_list->clearSelection();
    column->addWidget(m_list);

    m_ok = dialog_parts::Button(kTextOk);
    m_cancel = dialog_parts::Button(kTextCancel);
    m_ok->setDefault(true);
    dialog_parts::AddButtonRow(column, {m_ok, m_cancel});
    connect(m_ok, &QPushButton::clicked, this, &CLocalUserListDialog::Choose);
    connect(m_cancel, &QPushButton::clicked, this, &CLocalUserListDialog::reject);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &CLocalUserListDialog::Choose);
    m_list->setFocus();
}

void CLocalUserListDialog::Choose() {
    const QList<QListWidgetItem*> selected = m_list->selectedItems();
    if (selected.isEmpty()) {
        m_messageBox.ShowMessage(m_missing);
        return;
    }
    m_chosen = selected.front()->data(Qt::UserRole).toInt();
    accept();
}

CChooseLocalUserDialog::CChooseLocalUserDialog(const std::vector<SChoice>& users,
                                               IMessageBox& messageBox, QWidget* parent)
    : CLocalUserListDialog({kTextChooseUserIntro, kTextChooseUserPrompt}, users, true,
                           kTextChooseUserMissing, messageBox, parent) {
    SetCaptionText(FromUtf8(kTextProgramName));
}

CDeleteLocalUserDialog::CDeleteLocalUserDialog(const std::vector<SChoice>& users,
                                               IMessageBox& messageBox, QWidget* parent)
    // Nothing is chosen for the user, unless there is only one to choose.
    : CLocalUserListDialog({kTextDeleteUserPrompt}, users, users.size() == 1,
                           kTextDeleteUserMissing, messageBox, parent) {}

} // namespace murmex
