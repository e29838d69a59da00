#include "friends/friend_insert_step2a.h"

#include "friends/add_friend_texts.h"
#include "friends/message_text.h"
#include "ui/local_text.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace murmex {
namespace {

// The mobile operators' prefixes the cell number may start with.
constexpr const char* kCellPrefixes[] = {"501", "502", "601", "602", "603",
                                         "604", "605", "606", "608"};

template <class Field> Field* AddRow(QFormLayout* form, std::string_view labelUtf8, Field* field) {
    auto* label = new QLabel(FromUtf8(labelUtf8));
    label->setBuddy(field);
    form->addRow(label, field);
    return field;
}

} // namespace

CFriendInsertStep2A::CFriendInsertStep2A(SFriendInsertState& state, QWidget* parent)
    : CFriendInsertPage(state, kTextLocalContactPrompt, parent) {
    auto* form = new QFormLayout;
    form->setVerticalSpacing(4);
    m_nick = AddRow(form, kTextNickLabel, new QLineEdit);
    m_email = AddRow(form, kTextEmailLabel, new QLineEdit);
    m_name = AddRow(form, kTextNameLabel, new QLineEdit);
    m_surname = AddRow(form, kTextSurnameLabel, new QLineEdit);
    m_address = AddRow(form, kTextAddressLabel, new QPlainTextEdit);
    m_address->setTabChangesFocus(true);
    m_address->setFixedHeight(52);
    m_phone = AddRow(form, kTextPhoneLabel, new QLineEdit);

    auto* cellRow = new QHBoxLayout;
    cellRow->setContentsMargins(0, 0, 0, 0);
    auto* country = new QLabel(FromUtf8(kTextCountryCode));
    m_prefix = new QComboBox;
    m_prefix->setAccessibleName(FromUtf8(kTextCellPrefixName));
    for (const char* prefix : kCellPrefixes)
        m_prefix->addItem(QString::fromLatin1(prefix));
    m_prefix->setCurrentIndex(-1);
    m_cell = new QLineEdit;
    m_cell->setAccessibleName(FromUtf8(kTextCellNumberName));
    m_cell->setMaxLength(kCellNumberLength);
    m_cell->setMaximumWidth(90);
    cellRow->addWidget(country);
    cellRow->addWidget(m_prefix);
    cellRow->addWidget(m_cell);
    cellRow->addStretch(1);
    auto* cellLabel = new QLabel(FromUtf8(kTextCellLabel));
    cellLabel->setBuddy(m_prefix);
    form->addRow(cellLabel, cellRow);

    Column()->addLayout(form);
    Column()->addStretch(1);
}

void CFriendInsertStep2A::OnActivate() {
    SetEndingButtons();
    // Each visit starts a new contact: nothing of an earlier one is kept.
    State().local = CUserRecord();
    m_nick->setFocus();
}

void CFriendInsertStep2A::Store() {
    CUserRecord& r = State().local;
    r.SetNick(ToLocal(m_nick->text()));
    r.SetEmail(ToLocal(m_email->text()));
    r.SetName(ToLocal(m_name->text()));
    r.SetSurname(ToLocal(m_surname->text()));
    r.SetPhone(ToLocal(m_phone->text()));
    // Stored lines break with CR LF, as every multi-line text of the program.
    r.SetStreet(ToMessageText(m_address->toPlainText()));
    if (m_prefix->currentIndex() >= 0 && !m_cell->text().isEmpty())
        r.SetLocalCellPhone("0" + ToLocal(m_prefix->currentText()) + ToLocal(m_cell->text()));
    else
        r.SetLocalCellPhone("");
    r.SetLocalContact(true);
}

int CFriendInsertStep2A::OnNext() {
    Store();
    if (m_nick->text().isEmpty()) {
        ShowMessage(kTextNickRequired);
        return kStay;
    }
    return kPageFriendGroup;
}

bool CFriendInsertStep2A::OnFinish() {
    Store();
    return true;
}

} // namespace murmex
