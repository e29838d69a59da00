#include "friends/friend_insert_step2.h"

#include "friends/add_friend_texts.h"
#include "model/data_manager.h"
#include "ui/local_text.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>
#include <limits>

namespace murmex {
namespace {

QLineEdit* AddField(QFormLayout* form, std::string_view labelUtf8) {
    auto* edit = new QLineEdit;
    auto* label = new QLabel(FromUtf8(labelUtf8));
    label->setBuddy(edit);
    form->addRow(label, edit);
    return edit;
}

} // namespace

CFriendInsertStep2::CFriendInsertStep2(SFriendInsertState& state, QWidget* parent)
    : CFriendInsertPage(state, kTextFriendIdentifyPrompt, parent) {
    m_byQid = new QRadioButton(FromUtf8(kTextByQid));
    m_byNick = new QRadioButton(FromUtf8(kTextByNickEmail));
    auto* group = new QButtonGroup(this);
    group->addButton(m_byQid);
    group->addButton(m_byNick);

    Column()->addWidget(m_byQid);
    auto* qidForm = new QFormLayout;
    qidForm->setContentsMargins(24, 0, 0, 6);
    m_qid = AddField(qidForm, kTextQidLabel);
    // Digits only, as a number field: the QID is a positive number.
    m_qid->setValidator(new QIntValidator(1, std::numeric_limits<int>::max(), m_qid));
    m_qid->setMaximumWidth(140);
    Column()->addLayout(qidForm);

    Column()->addWidget(m_byNick);
    auto* nickForm = new QFormLayout;
    nickForm->setContentsMargins(24, 0, 0, 0);
    m_nick = AddField(nickForm, kTextNickLabel);
    m_email = AddField(nickForm, kTextEmailLabel);
    Column()->addLayout(nickForm);
    Column()->addStretch(1);

    connect(m_byQid, &QRadioButton::toggled, this, &CFriendInsertStep2::ChoiceChanged);
}

void CFriendInsertStep2::OnActivate() {
    SetEndingButtons();
    if (!m_shown) {
        m_shown = true;
        m_byQid->setChecked(true);
        ChoiceChanged();
    }
}

void CFriendInsertStep2::ChoiceChanged() {
    const bool byQid = m_byQid->isChecked();
    m_qid->setEnabled(byQid);
    m_nick->setEnabled(!byQid);
    m_email->setEnabled(!byQid);
    (byQid ? m_qid : m_nick)->setFocus();
}

bool CFriendInsertStep2::Identify() {
    CWait wait(*this);
    CRequestEngine& engine = Data().Engine();
    // A scratch record: what the service says about somebody who may not be
    // added must not reach the cache.
    CUserRecord found;
    bool known = false;
    if (m_byQid->isChecked()) {
        const int qid = m_qid->text().toInt();
        if (qid > 0) {
            found.SetQid(qid);
            known = found.LoadBrief(engine);
        }
    } else {
        known = found.FindByNickEmail(engine, ToLocal(m_nick->text()), ToLocal(m_email->text())) &&
                found.Qid() > 0;
    }
    if (!known) {
        ShowMessage(kTextFriendNotFound);
        return false;
    }
    const int qid = found.Qid();
    if (qid == Data().CurrentLocalUser()) {
        ShowMessage(kTextCannotAddSelf);
        return false;
    }
    if (Data().IsFriend(qid)) {
        ShowMessage(kTextAlreadyFriend);
        return false;
    }
    State().foundQid = qid;
    return true;
}

int CFriendInsertStep2::OnNext() {
    return Identify() ? kPageFriendGroup : kStay;
}

bool CFriendInsertStep2::OnFinish() {
    return Identify();
}

} // namespace murmex
