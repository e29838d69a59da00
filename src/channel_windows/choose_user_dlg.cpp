#include "channel_windows/choose_user_dlg.h"

#include "channel_windows/channel_operator_texts.h"
#include "model/data_manager.h"
#include "ui/dialog_parts.h"
#include "ui/local_text.h"
#include "ui/texts.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace murmex {
using namespace operator_texts;

namespace {

QLabel* BuddyLabel(std::string_view textUtf8, QWidget* field) {
    QLabel* label = dialog_parts::PlainLabel(textUtf8);
    label->setBuddy(field);
    return label;
}

} // namespace

CChooseUserDlg::CChooseUserDlg(CDataManager& data, QWidget* parent) : CSkinDialog(parent) {
    setModal(true);
    setWindowTitle(FromUtf8(kTextChooseUserTitle));
    SetCaptionText(FromUtf8(kTextChooseUserTitle));

    m_friends = new QComboBox;
    m_friends->setAccessibleName(FromUtf8(kTextFriendChoice));
    // Local contacts have no account on the service, so none can be an operator.
    for (const SChoice& choice : data.FriendsChoice())
        if (!CDataManager::IsLocalContactId(choice.id))
            m_friends->addItem(FromLocal(choice.text), choice.id);
    // Nobody is chosen until the user picks a friend.
    m_friends->setCurrentIndex(-1);
    m_friends->setMinimumContentsLength(24);

    m_qid = new QLineEdit;
    m_qid->setValidator(new QIntValidator(1, CUserRecord::kLastServiceQid, m_qid));
    m_nick = new QLineEdit;
    m_email = new QLineEdit;

    auto* friendsBox = new QGroupBox(FromUtf8(kTextFriendsGroup));
    auto* friendsColumn = new QVBoxLayout(friendsBox);
    friendsColumn->addWidget(m_friends);

    auto* otherBox = new QGroupBox(FromUtf8(kTextOtherGroup));
    auto* otherForm = new QFormLayout(otherBox);
    otherForm->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    otherForm->addRow(BuddyLabel(kTextQidLabel, m_qid), m_qid);
    otherForm->addRow(dialog_parts::PlainLabel(kTextOr));
    otherForm->addRow(BuddyLabel(kTextNickLabel, m_nick), m_nick);
    otherForm->addRow(BuddyLabel(kTextEmailLabel, m_email), m_email);

    m_ok = dialog_parts::Button(kTextOk);
    m_cancel = dialog_parts::Button(kTextCancel);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &CChooseUserDlg::accept);
    connect(m_cancel, &QPushButton::clicked, this, &CChooseUserDlg::reject);

    QVBoxLayout* column = dialog_parts::BodyColumn(Body());
    column->addWidget(dialog_parts::TextLabel(kTextChooseUserPrompt));
    column->addWidget(friendsBox);
    column->addWidget(otherBox);
    dialog_parts::AddButtonRow(column, {m_ok, m_cancel});
    m_friends->setFocus();
}

SChosenUser CChooseUserDlg::Chosen() const {
    SChosenUser chosen;
    if (m_friends->currentIndex() >= 0)
        chosen.friendQid = m_friends->currentData().toInt();
    bool number = false;
    const int qid = m_qid->text().trimmed().toInt(&number);
    chosen.qid = number && qid > 0 ? qid : 0;
    chosen.nick = ToLocal(m_nick->text().trimmed());
    chosen.email = ToLocal(m_email->text().trimmed());
    return chosen;
}

} // namespace murmex
